#pragma once
// The library's display-text slots: every caption, tip, message and font of its windows is a
// numbered slot the host fills once. Slots are blank until set and cut to their width; the
// font-size slots hold numbers; 161 and 162 carry a second text after a "|".
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "querykit/querykit.h"

namespace qk {

class QUERYKIT_API DisplayTexts {
public:
    // Stores text in slot `number`; numbers without a slot are accepted and ignored.
    void set(int32_t number, std::string_view text);
    // The slot's text, blank when unset or not a slot.
    std::string text(int32_t number) const;
    // The number held by a font-size slot (72, 74, 76, 78, 80); 0 when unset.
    int fontSize(int32_t number) const;
    // For 161 and 162: the part after the first "|", up to 40 characters.
    std::string besideText(int32_t number) const;

    // Width of a slot in characters, 0 when the number is not a slot.
    static int width(int32_t number);
    static bool isFontSize(int32_t number);

private:
    std::map<int32_t, std::string> texts_;
    std::map<int32_t, int> sizes_;
    std::map<int32_t, std::string> beside_;
};

}  // namespace qk
