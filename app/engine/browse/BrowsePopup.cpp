#include "app/engine/browse/BrowsePopup.h"

#include "runtime/text/Text.h"

namespace cdz {

BrowsePopup BrowsePopup::build(const std::vector<std::string>& base, bool pageEmpty, bool hasSelect,
                               bool selectMode, const std::vector<PopupButton>& extras) {
    BrowsePopup popup;
    int index = 0;
    auto add = [&](const std::string& caption, bool enabled, bool separator) {
        if (!popup.text.empty()) popup.text += separator ? "|-|" : "|";
        if (!enabled) popup.text += "~";
        popup.text += caption;
        popup.buttons.push_back(index++);
    };
    for (size_t i = 0; i < base.size(); ++i) add(base[i], i == 0 || !pageEmpty, false);
    if (hasSelect) add("&Select", selectMode && !pageEmpty, true);
    for (const PopupButton& b : extras) {
        add(std::string(clip(b.text)), b.enabled, b.separatorBefore);
    }
    return popup;
}

}  // namespace cdz
