#include "app/engine/columns/ColumnLayout.h"

#include <algorithm>
#include <utility>

#include "app/engine/columns/DatePictures.h"

namespace cdz {

ColumnLayout::ColumnLayout(std::vector<LayoutColumn> table, std::vector<std::string> rowFields,
                           const std::string& designFormat, ListLook designLook,
                           std::string dateSetting)
    : table_(std::move(table)),
      rowFields_(std::move(rowFields)),
      designLook_(std::move(designLook)),
      dateSetting_(std::move(dateSetting)) {
    const ListFormatParse parsed = ListFormat::parse(designFormat);
    if (parsed.format && shownOf(*parsed.format)) {
        designFormat_ = *parsed.format;
    } else {
        // A design that names no column of the table: the table's shown-by-default columns.
        format_ = {};
        shown_.clear();
        for (size_t c = 0; c < table_.size(); ++c) {
            if (table_[c].shown) show(c);
        }
        designFormat_ = format_;
    }
    reset();
}

std::optional<size_t> ColumnLayout::placeOf(size_t column) const {
    for (size_t p = 0; p < shown_.size(); ++p) {
        if (shown_[p].column == column) return p;
    }
    return std::nullopt;
}

// A column without a field number shows the row field of its place.
std::optional<std::vector<ColumnLayout::Shown>> ColumnLayout::shownOf(
    const ListFormat& format) const {
    std::vector<Shown> shown;
    const auto& columns = format.columns();
    if (columns.empty()) return std::nullopt;
    for (size_t place = 0; place < columns.size(); ++place) {
        const std::optional<int> number = columns[place].fieldNumber();
        const size_t field = number ? static_cast<size_t>(std::max(*number - 1, 0)) : place;
        if ((number && *number < 1) || field >= rowFields_.size()) return std::nullopt;
        const auto row = std::find_if(table_.begin(), table_.end(), [&](const LayoutColumn& c) {
            return c.field == rowFields_[field];
        });
        if (row == table_.end()) return std::nullopt;
        const size_t column = static_cast<size_t>(row - table_.begin());
        if (std::any_of(shown.begin(), shown.end(),
                        [column](const Shown& s) { return s.column == column; })) {
            return std::nullopt;
        }
        shown.push_back({column, false});
    }
    return shown;
}

bool ColumnLayout::setFormat(const ListFormat& format) {
    auto shown = shownOf(format);
    if (!shown) return false;
    format_ = format;
    shown_ = std::move(*shown);
    return true;
}

int ColumnLayout::fieldNumberOf(size_t column) const {
    const auto at = std::find(rowFields_.begin(), rowFields_.end(), table_[column].field);
    return static_cast<int>(at - rowFields_.begin()) + 1;
}

// Once columns leave their design places, each names its field, so that no column shows the
// field of another's place.
void ColumnLayout::numberFields() {
    for (size_t p = 0; p < shown_.size(); ++p) {
        format_.columns()[p].setFieldNumber(fieldNumberOf(shown_[p].column));
    }
}

bool ColumnLayout::show(size_t column) {
    if (column >= table_.size() || placeOf(column)) return false;
    if (std::find(rowFields_.begin(), rowFields_.end(), table_[column].field) == rowFields_.end()) {
        return false;
    }
    const LayoutColumn& row = table_[column];
    ListColumn added(row.width, justifyFromLetter(row.justify).value_or(Justify::Left));
    added.setHeader(row.header);
    added.setPicture(replaceDatePicture(row.picture, dateSetting_));
    format_.columns().push_back(std::move(added));
    shown_.push_back({column, false});
    numberFields();
    return true;
}

bool ColumnLayout::hide(size_t place) {
    if (place >= shown_.size() || shown_.size() == 1) return false;
    format_.columns().erase(format_.columns().begin() + static_cast<std::ptrdiff_t>(place));
    shown_.erase(shown_.begin() + static_cast<std::ptrdiff_t>(place));
    numberFields();
    return true;
}

bool ColumnLayout::moveLeft(size_t place) {
    if (place == 0 || place >= shown_.size()) return false;
    std::swap(shown_[place], shown_[place - 1]);
    std::swap(format_.columns()[place], format_.columns()[place - 1]);
    numberFields();
    return true;
}

bool ColumnLayout::moveRight(size_t place) {
    return place + 1 < shown_.size() && moveLeft(place + 1);
}

void ColumnLayout::setDescending(size_t place, bool descending) {
    for (size_t p = 0; p < shown_.size(); ++p) shown_[p].descending = p == place && descending;
}

bool ColumnLayout::setHeader(size_t place, std::string text) {
    if (place >= shown_.size()) return false;
    // Cut by characters, never inside one.
    size_t chars = 0, at = 0;
    while (at < text.size() && chars < kHeaderLength) {
        const auto byte = static_cast<unsigned char>(text[at]);
        at += byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
        ++chars;
    }
    text.resize(std::min(at, text.size()));
    return format_.columns()[place].setHeader(std::move(text));
}

void ColumnLayout::reset() {
    format_ = designFormat_;
    shown_ = shownOf(format_).value_or(std::vector<Shown>{});
    look_ = designLook_;
}

}  // namespace cdz
