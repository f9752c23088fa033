#pragma once
// The pieces a form's pages are laid out from, in dialog units: an entry with its prompt, a
// choice of options, a text, a push button acting on the form's record, and the lines and notes
// boxes of a page whose prompts stand in a column at the left, one line per pitch.
#include <QRect>
#include <QString>

#include <functional>
#include <string>
#include <vector>

#include "app/engine/form/FormWindow.h"

namespace cdz {

class FormLayout {
public:
    using Type = FormEntry::Type;

    // A page of lines: the controls start at `left`, the first at `top`, one every `pitch`;
    // each prompt stands two units lower, from 6 to `promptGap` before the control.
    struct Grid {
        int left = 80;
        int top = 6;
        int pitch = 14;
        int promptGap = 10;
        int notesWidth = 270;  // a notes box spans the page
    };

    constexpr explicit FormLayout(Grid grid) : grid_(grid) {}

    // Line `row` of the page; `left` moves the control (a page with longer prompts).
    FormEntry line(int tab, int row, QString prompt, std::string field, std::string picture,
                   int width, Type type = Type::Entry, int left = 0) const;
    // A notes box under its prompt, at `y`.
    FormEntry notes(int tab, int y, QString prompt, std::string field, int height) const;

    static FormEntry entry(int tab, QString prompt, std::string field, std::string picture,
                           QRect promptAt, QRect at, Type type = Type::Entry);
    static FormEntry options(int tab, QString prompt, std::string field,
                             const std::vector<QString>& choices, QRect at);
    static FormPanel text(int tab, QRect place, const QString& shown, const QString& name = {});
    // A push button acting on the form's record: the controls are stored before it acts and
    // shown again after.
    static FormPanel button(int tab, QRect place, const QString& caption, const QString& name,
                            const std::function<void()>& pressed, const QString& tip = {});

private:
    Grid grid_;
};

}  // namespace cdz
