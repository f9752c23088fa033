#pragma once
// The answers of the report criteria window: the style, whether to preview, whether to pick a
// font, and all songs or only those whose order field starts with a text. The program keeps the
// last answers so that the window starts from them; each report takes its own copy when it
// starts, so a window answered for another report does not change it.
#include <string>
#include <string_view>

namespace cdz {

struct ReportCriteria {
    std::string style;  // "Standard" or "Brief" (10 characters)
    bool preview = false;
    bool customFont = false;
    std::string selectedOrAll;  // "All" or "Selected" (8 characters)
    std::string selection;      // the starts-with text (30 characters)

    // Only "Brief" asks for the brief report; blank is the full one.
    bool brief() const;
    bool selectedOnly() const;
    // Whether a record whose order field holds `value` is printed: every one for "All";
    // for "Selected" those that start with the text, without regard to case (a blank text
    // selects every one).
    bool includes(std::string_view value) const;
};

}  // namespace cdz
