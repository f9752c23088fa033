#pragma once
// A push button of a browse or form: named for tests and settings, with its tool tip, and never
// the window's default button by itself (Enter belongs to the list or the form's OK).
class QPushButton;
class QString;
class QWidget;

namespace cdz {

QPushButton* makeWindowButton(QWidget* parent, const QString& caption, const QString& tip,
                              const char* name);

}  // namespace cdz
