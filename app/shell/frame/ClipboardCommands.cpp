#include "app/shell/frame/ClipboardCommands.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace cdz {

namespace {

// The control that holds the text: the editor inside a combo box or spin box.
QWidget* textControl(QWidget* w) {
    if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->lineEdit();
    if (qobject_cast<QAbstractSpinBox*>(w)) return w->findChild<QLineEdit*>();
    if (qobject_cast<QLineEdit*>(w) || qobject_cast<QTextEdit*>(w) ||
        qobject_cast<QPlainTextEdit*>(w))
        return w;
    return nullptr;
}

template <class Edit>
bool applyTo(Edit* edit, ClipboardAction action) {
    switch (action) {
        case ClipboardAction::Copy:
            edit->copy();
            return true;
        case ClipboardAction::Cut:
            if (edit->isReadOnly()) {
                edit->copy();
            } else {
                edit->cut();
            }
            return true;
        case ClipboardAction::Paste:
            if (edit->isReadOnly()) return false;
            edit->paste();
            return true;
    }
    return false;
}

}  // namespace

bool ClipboardCommands::apply(QWidget* focused, ClipboardAction action) {
    if (!focused) return false;
    if (QWidget* text = textControl(focused)) {
        if (auto* line = qobject_cast<QLineEdit*>(text)) return applyTo(line, action);
        if (auto* rich = qobject_cast<QTextEdit*>(text)) return applyTo(rich, action);
        if (auto* plain = qobject_cast<QPlainTextEdit*>(text)) return applyTo(plain, action);
        return false;
    }
    if (auto* view = qobject_cast<QAbstractItemView*>(focused)) {
        if (action == ClipboardAction::Paste || !view->currentIndex().isValid()) return false;
        QApplication::clipboard()->setText(view->currentIndex().data(Qt::DisplayRole).toString());
        return true;
    }
    return false;
}

}  // namespace cdz
