#pragma once
// The items of a popup menu text: "|" separates items, "-" alone is a separator, a leading "~"
// disables an item, and a leading "+" or "-" makes it a check item, checked or not
// ("-No Zoom|-|+Page Width"). Items are numbered from 1 without counting separators; an empty
// item keeps its number. "&" accelerators stay in the text.
#include <string>
#include <string_view>
#include <vector>

namespace cdz {

struct PopupItem {
    std::string text;
    int number = 0;  // 0 for a separator
    bool separator = false;
    bool enabled = true;
    bool checkable = false;
    bool checked = false;

    bool operator==(const PopupItem&) const = default;
};

std::vector<PopupItem> parsePopupText(std::string_view text);

// True when number names an item that can be chosen (exists and is enabled).
bool isChoosable(const std::vector<PopupItem>& items, int number);

}  // namespace cdz
