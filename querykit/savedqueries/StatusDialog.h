#pragma once
// A dialog of the library's own with a status line at its foot, which shows the status message
// of the control under the mouse as the program's windows do; and the push buttons dressed from
// display-text slots (tip, status message, caption).
#include <QDialog>

#include "querykit/qwizard/DisplayTexts.h"

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace qk {

class StatusDialog : public QDialog {
public:
    explicit StatusDialog(QWidget* parent = nullptr);

    // Where the dialog's own controls go, above the status line.
    QVBoxLayout* body() const { return body_; }
    QLabel* statusLine() const { return status_; }

protected:
    bool event(QEvent* e) override;

private:
    QVBoxLayout* body_;
    QLabel* status_;
};

// A push button whose tip, status message and caption are the slots firstSlot, firstSlot + 1
// and firstSlot + 2.
QPushButton* slotButton(const DisplayTexts& texts, int firstSlot, const char* objectName,
                        QWidget* parent);

// A display text as Qt shows it.
QString slotText(const DisplayTexts& texts, int slot);

}  // namespace qk
