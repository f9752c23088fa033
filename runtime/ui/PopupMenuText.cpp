#include "runtime/ui/PopupMenuText.h"

namespace cdz {

std::vector<PopupItem> parsePopupText(std::string_view text) {
    std::vector<PopupItem> items;
    if (text.empty()) return items;
    int number = 0;
    for (;;) {
        const auto bar = text.find('|');
        std::string_view part = text.substr(0, bar);
        PopupItem item;
        // Markers may come in either order ("~+Page Width"), each at most once.
        bool sawDisable = false, sawCheck = false;
        while (!part.empty()) {
            const char c = part.front();
            if (c == '~' && !sawDisable) {
                sawDisable = true;
                item.enabled = false;
            } else if ((c == '+' || c == '-') && !sawCheck) {
                sawCheck = true;
                item.checkable = true;
                item.checked = c == '+';
            } else {
                break;
            }
            part.remove_prefix(1);
        }
        if (item.checkable && !item.checked && part.empty()) {
            item = PopupItem{};
            item.separator = true;
        } else {
            item.text = part;
            item.number = ++number;
        }
        items.push_back(std::move(item));
        if (bar == std::string_view::npos) break;
        text.remove_prefix(bar + 1);
    }
    return items;
}

bool isChoosable(const std::vector<PopupItem>& items, int number) {
    for (const PopupItem& item : items)
        if (item.number == number && number > 0) return item.enabled;
    return false;
}

}  // namespace cdz
