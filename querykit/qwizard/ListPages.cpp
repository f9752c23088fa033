#include "querykit/qwizard/ListPages.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace qk {

using namespace wizardui;

namespace {

// The list under the page's captions (heading, instruction, list header).
QListWidget* listBelow(QWidget* page, std::initializer_list<QLabel*> captions, const char* listName,
                       const std::function<void()>& next) {
    auto* v = new QVBoxLayout(page);
    for (QLabel* caption : captions) v->addWidget(caption);
    auto* list = new QListWidget(page);
    list->setObjectName(listName);
    v->addWidget(list);
    QObject::connect(list, &QListWidget::itemDoubleClicked, page,
                     [list, next](QListWidgetItem* item) {
                         list->setCurrentItem(item);
                         next();
                     });
    return list;
}

}  // namespace

FieldPage::FieldPage(WizardFlow& flow, const DisplayTexts& texts, const std::function<void()>& next,
                     QWidget* parent)
    : WizardPageView(flow, texts, parent) {
    list_ = listBelow(this,
                      {label(this, texts, "FieldHeading", 158, kLarge),
                       label(this, texts, "FieldInstruction", 166, kNormal),
                       label(this, texts, "FieldListHeader", 159, kSmall)},
                      "FieldList", next);
    fillFieldList(list_, flow.fields());
}

void FieldPage::refresh() {
    setRow(list_, flow().edit().field - 1);
}

void FieldPage::take() {
    if (list_->currentRow() >= 0) flow().edit().field = list_->currentRow() + 1;
}

QWidget* FieldPage::focusTarget() const {
    return list_;
}

OperationPage::OperationPage(WizardFlow& flow, const DisplayTexts& texts,
                             const std::function<void()>& next, QWidget* parent)
    : WizardPageView(flow, texts, parent) {
    list_ = listBelow(this,
                      {label(this, texts, "OperationHeading", 164, kLarge),
                       label(this, texts, "OperationInstruction", 168, kNormal),
                       label(this, texts, "OperatorListHeader", 165, kSmall)},
                      "OperatorList", next);
}

void OperationPage::refresh() {
    list_->clear();
    for (int i = 1; i <= flow().operatorCount(); ++i) {
        list_->addItem(qs(flow().display().operatorName(i)));
    }
    setRow(list_, flow().edit().opcode - 1);
}

void OperationPage::take() {
    flow().edit().opcode = list_->currentRow() + 1;
}

QWidget* OperationPage::focusTarget() const {
    return list_;
}

}  // namespace qk
