#pragma once
// The layout the user gives a browse's list: which columns of the browse's column table are
// shown, in which order and how (each change written into the list format at once), and the
// list's own look (scroll bars, line height, font, place). Reset gives back the design layout.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "app/engine/columns/LayoutColumn.h"
#include "app/engine/columns/ListFormat.h"
#include "runtime/ui/FontChoice.h"

namespace cdz {

// The list's look besides its columns; place and size in dialog units.
struct ListLook {
    bool horizontalScroll = true;
    bool verticalScroll = true;
    int lineHeight = 0;  // pixels
    FontChoice font;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ListLook&) const = default;
};

class ColumnLayout {
public:
    // A shown column: its row of the table, and whether the list was last ordered on it
    // descending (a further click on its header toggles that).
    struct Shown {
        size_t column = 0;
        bool descending = false;
        bool operator==(const Shown&) const = default;
    };

    // The header text's limit, in characters.
    static constexpr size_t kHeaderLength = 20;

    // rowFields: the fields each page row carries, which a column shows by its number;
    // designFormat: the list's design format with its date pictures already in the user's date
    // format (dateSetting, which shown columns' date pictures take too). The design format's
    // columns must be rows of the table.
    ColumnLayout(std::vector<LayoutColumn> table, std::vector<std::string> rowFields,
                 const std::string& designFormat, ListLook designLook, std::string dateSetting);

    const std::vector<LayoutColumn>& table() const { return table_; }
    const std::vector<Shown>& shown() const { return shown_; }
    const ListFormat& format() const { return format_; }
    const ListLook& look() const { return look_; }
    ListLook& look() { return look_; }
    // The place (0-based) of a table row among the shown columns; nullopt when hidden.
    std::optional<size_t> placeOf(size_t column) const;

    // Takes a format as the list's (a saved one); false, and nothing changes, when one of its
    // columns shows no field of the table or a field twice.
    bool setFormat(const ListFormat& format);

    // Appends a hidden column at the right; false when it is shown already or no table row.
    bool show(size_t column);
    // False for a place out of range and for the last shown column, which the list keeps.
    bool hide(size_t place);
    // Exchanges a shown column with its left or right neighbour; false at the edge.
    bool moveLeft(size_t place);
    bool moveRight(size_t place);

    // The format column at a shown place, whose width, offsets, justifications and switches
    // the caller edits in place (they are the format).
    ListColumn& column(size_t place) { return format_.columns().at(place); }
    const ListColumn& column(size_t place) const { return format_.columns().at(place); }
    // The list was ordered on the column at `place` (only that column keeps a descending mark).
    void setDescending(size_t place, bool descending);
    // Cut to kHeaderLength characters; false (nothing changes) for a text holding "~".
    bool setHeader(size_t place, std::string text);

    // The design format, look and shown-by-default columns.
    void reset();

private:
    std::optional<std::vector<Shown>> shownOf(const ListFormat& format) const;
    void numberFields();
    int fieldNumberOf(size_t column) const;

    std::vector<LayoutColumn> table_;
    std::vector<std::string> rowFields_;
    ListFormat designFormat_;
    ListLook designLook_;
    std::string dateSetting_;
    ListFormat format_;
    ListLook look_;
    std::vector<Shown> shown_;
};

}  // namespace cdz
