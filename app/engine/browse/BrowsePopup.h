#pragma once
// The right-click menu of a browse, as the "|"-separated text the popup takes ("~" disables an
// item, "-" is a separator), and which of the browse's buttons each item presses.
#include <string>
#include <vector>

namespace cdz {

struct PopupButton {
    std::string text;     // the button's caption, "&Print"
    bool enabled = true;  // a disabled button's item is disabled too
    bool separatorBefore = false;
};

struct BrowsePopup {
    std::string text;
    // For item n (1-based, separators not counted): the index of the button it presses in the
    // list the popup was built from.
    std::vector<int> buttons;

    // `base` are Insert/Add, Change and Delete; Change and Delete are disabled on an empty page.
    // A browse with a Select button adds it after a separator, enabled only in select mode and
    // on a page that is not empty. `extras` follow in their order.
    static BrowsePopup build(const std::vector<std::string>& base, bool pageEmpty, bool hasSelect,
                             bool selectMode, const std::vector<PopupButton>& extras = {});
};

}  // namespace cdz
