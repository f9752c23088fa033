#pragma once
// A small question window: a text and a row of buttons, each ending the window with its own
// value; closing it gives 0. The library's "how to begin" and "join or not" questions.
#include <QDialog>

#include <cstdint>
#include <initializer_list>

namespace qk {

struct Choice {
    const char* caption;     // with its "&" accelerator
    const char* objectName;  // stable, for scripts and tests
    uint8_t value;
};

class ChoiceDialog final : public QDialog {
public:
    ChoiceDialog(const char* objectName, const char* title, const char* text,
                 std::initializer_list<Choice> choices, QWidget* parent = nullptr);

    // Shows the question modally; the chosen button's value, 0 when closed.
    uint8_t ask();
};

}  // namespace qk
