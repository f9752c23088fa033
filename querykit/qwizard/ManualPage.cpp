#include "querykit/qwizard/ManualPage.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace qk {

using namespace wizardui;

ManualPage::ManualPage(WizardFlow& flow, const DisplayTexts& texts, QWidget* parent)
    : WizardPageView(flow, texts, parent) {
    auto* v = new QVBoxLayout(this);
    v->addWidget(label(this, texts, "ManualHeading", 160, kLarge));
    text_ = new QPlainTextEdit(this);
    text_->setObjectName("ManualText");
    setDesignedSize(text_, kNormal);
    v->addWidget(text_, 1);
    v->addWidget(label(this, texts, "ManualFieldListHeader", 159, kSmall));
    fields_ = new QListWidget(this);
    fields_->setObjectName("ManualFieldList");
    v->addWidget(fields_);
    connect(fields_, &QListWidget::itemClicked, this, [this] { onField(); });
    fillFieldList(fields_, flow.fields());
}

void ManualPage::refresh() {
    text_->setPlainText(qs(flow().manualText()));
}

void ManualPage::take() {
    flow().setManualText(utf8(text_->toPlainText()));
}

QWidget* ManualPage::focusTarget() const {
    return text_;
}

void ManualPage::onField() {
    const XRQW_FieldEntry* f = fieldAt(flow().fields(), fields_->currentRow() + 1);
    if (f == nullptr) return;
    text_->insertPlainText(qs(f->Source.clipped()));
    text_->setFocus();
}

}  // namespace qk
