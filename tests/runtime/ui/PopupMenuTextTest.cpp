#include "runtime/ui/PopupMenuText.h"

#include <gtest/gtest.h>

namespace cdz {
namespace {

PopupItem item(std::string text, int number, bool enabled = true) {
    PopupItem i;
    i.text = std::move(text);
    i.number = number;
    i.enabled = enabled;
    return i;
}

PopupItem separator() {
    PopupItem i;
    i.separator = true;
    return i;
}

PopupItem check(std::string text, int number, bool checked) {
    PopupItem i = item(std::move(text), number);
    i.checkable = true;
    i.checked = checked;
    return i;
}

TEST(PopupMenuText, ParsesItemsSeparatorsAndMarks) {
    struct Case {
        const char* text;
        std::vector<PopupItem> items;
    };
    const Case cases[] = {
        {"", {}},
        {"&Add", {item("&Add", 1)}},
        {"&Insert|~&Change|~&Delete|-|~&Select",
         {item("&Insert", 1), item("&Change", 2, false), item("&Delete", 3, false), separator(),
          item("&Select", 4, false)}},
        {"&Add|&Change|&Delete|-|&Print|-|Search",
         {item("&Add", 1), item("&Change", 2), item("&Delete", 3), separator(), item("&Print", 4),
          separator(), item("Search", 5)}},
        {"-No Zoom|-|+Page Width|~-50%",
         {check("No Zoom", 1, false), separator(), check("Page Width", 2, true),
          [] {
              PopupItem i = check("50%", 3, false);
              i.enabled = false;
              return i;
          }()}},
        // An empty item keeps its number, so the numbers of the items after it do not shift.
        {"A||B", {item("A", 1), item("", 2), item("B", 3)}},
        {"-|-", {separator(), separator()}},
        {"~", {item("", 1, false)}},
        {"Escape|Key Sequence", {item("Escape", 1), item("Key Sequence", 2)}},
        {"~~x", {item("~x", 1, false)}},  // each mark once; the rest is text
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parsePopupText(c.text), c.items);
    }
}

TEST(PopupMenuText, OnlyEnabledExistingItemsCanBeChosen) {
    const auto items = parsePopupText("&Add|~&Change|-|&Print");
    EXPECT_TRUE(isChoosable(items, 1));
    EXPECT_FALSE(isChoosable(items, 2));  // disabled
    EXPECT_TRUE(isChoosable(items, 3));   // the separator has no number
    EXPECT_FALSE(isChoosable(items, 4));
    EXPECT_FALSE(isChoosable(items, 0));
    EXPECT_FALSE(isChoosable(items, -1));
}

}  // namespace
}  // namespace cdz
