#include "querykit/savedqueries/StatusDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QVBoxLayout>

namespace qk {

StatusDialog::StatusDialog(QWidget* parent)
    : QDialog(parent), body_(new QVBoxLayout), status_(new QLabel(this)) {
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(body_, 1);
    status_->setObjectName("StatusLine");
    status_->setFrameShape(QFrame::StyledPanel);
    outer->addWidget(status_);
}

bool StatusDialog::event(QEvent* e) {
    // A dialog has no status bar of its own: the tips the controls post land here.
    if (e->type() == QEvent::StatusTip) {
        status_->setText(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    return QDialog::event(e);
}

QString slotText(const DisplayTexts& texts, int slot) {
    return QString::fromStdString(texts.text(slot));
}

QPushButton* slotButton(const DisplayTexts& texts, int firstSlot, const char* objectName,
                        QWidget* parent) {
    auto* b = new QPushButton(slotText(texts, firstSlot + 2), parent);
    b->setObjectName(objectName);
    b->setToolTip(slotText(texts, firstSlot));
    b->setStatusTip(slotText(texts, firstSlot + 1));
    b->setAutoDefault(false);
    return b;
}

}  // namespace qk
