#pragma once
// One row of a browse's column table: a column the user may show, hide or move in the column
// layout window. The columns shown by default are the ones of the browse's design format; the
// others are fields every row carries already, so showing one needs no further reading.
#include <string>

namespace cdz {

struct LayoutColumn {
    std::string field;      // the field's label, "ALB:Artist"; also the expression shown
    std::string header;     // the column's header text
    int width = 0;          // default width in dialog units
    char justify = 'L';     // the field's justification letter
    bool shown = true;      // shown until the user hides it
    bool orderable = true;  // a click on its header may order the list by it
    // The field's picture without its "@" ("s40"), which the column gets when it is shown; a
    // date picture takes the user's date format.
    std::string picture = "s40";
};

}  // namespace cdz
