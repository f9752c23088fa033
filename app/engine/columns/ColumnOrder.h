#pragma once
// A browse ordered by one of its columns (a click on the column's header) instead of by its
// tab's key, and the locator that goes with it: typed text, cut to twelve characters and
// upper-cased, stored into the ordered field (read back through the column's picture when the
// column is no text) for the view to start at.
#include <string>

namespace cdz {

struct FieldDesc;

struct ColumnOrder {
    std::string label;  // a field of the browse's view: "MUS:Title", "CAT:Category"
    bool descending = false;
    std::string picture;  // the column's picture, "@s40", "@d17"

    // The view's order list: texts without regard to case.
    std::string orderList(bool text) const;
};

class ColumnLocator {
public:
    static constexpr size_t kLength = 12;

    // A typed character, '\b' for backspace; false when the text did not change.
    bool type(char32_t ch);
    void blank() { text_.clear(); }
    const std::string& text() const { return text_; }
    // The text into the ordered field of `record`.
    void store(const FieldDesc& field, void* record, const std::string& picture) const;

private:
    std::string text_;
};

}  // namespace cdz
