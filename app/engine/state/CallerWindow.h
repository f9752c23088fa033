#pragma once
// The window a form, picker, wizard or question run on a caller's behalf is shown over: the
// modal window in front, else the window of the browse that runs it (AppState::caller), else
// the frame. Each of these waits for the run to end, whereas the window that merely happens
// to be active (a report's progress window, a preview) may close itself meanwhile and would
// take the window shown over it down with it.
class QWidget;

namespace cdz {

class AppState;

QWidget* callerWindow(const AppState& state, QWidget& frame);

}  // namespace cdz
