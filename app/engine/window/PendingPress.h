#pragma once
// A press on a button that took the focus from a field whose check then asked a question: the
// question's box takes the mouse's release, so the button would never be clicked. Noted when
// the check starts, the press is finished when the check is done: clicked if it passed.
#include <QAbstractButton>
#include <QPointer>

namespace cdz {

class PendingPress {
public:
    // Notes a button of `window` that the left mouse button is pressing now.
    explicit PendingPress(const QWidget& window);
    // After the check: when its question took the release, the button is let up, and clicked
    // when the check passed.
    void finish(bool passed);

private:
    QPointer<QAbstractButton> button_;
};

}  // namespace cdz
