#include "app/engine/columns/DatePictures.h"

#include <gtest/gtest.h>

namespace cdz {
namespace {

struct Case {
    const char* text;
    const char* setting;
    const char* expected;
};

TEST(DatePictures, ListFormatsTakeTheDateSetting) {
    const Case cases[] = {
        {"45R(2)|_M~Released~C(0)@d17b@8R(2)|_M~Rating~C(0)@s2@", "d17",
         "45R(2)|_M~Released~C(0)@d17@8R(2)|_M~Rating~C(0)@s2@"},
        // two date columns, either case, other pictures untouched
        {"40R~Released~@d2@23R~Time~@t4b@40R~Bought~@D6-@", "d5",
         "40R~Released~@d5@23R~Time~@t4b@40R~Bought~@d5@"},
        {"40R~Released~@D17B@", "n4b", "40R~Released~@n4b@"},
        // the setting is clipped, and a leading "@" in it is not doubled
        {"40R~Released~@d2@", "d6   ", "40R~Released~@d6@"},
        {"40R~Released~@d2@", "@d6", "40R~Released~@d6@"},
        // a header is no picture
        {"80L~Sold @Date~@d2@", "d6", "80L~Sold @Date~@d6@"},
        {"80L~Title~S(1)@s40@#4#", "d6", "80L~Title~S(1)@s40@#4#"},
        // an unusable setting leaves the design pictures
        {"40R~Released~@d2@", "", "40R~Released~@d2@"},
        {"40R~Released~@d2@", "zz", "40R~Released~@d2@"},
        {"40R~Released~@d2@", "d1@x", "40R~Released~@d2@"},
        // an unterminated picture is left for the parser to refuse
        {"40R~Released~@d2@40R~Bought~@d2", "d6", "40R~Released~@d6@40R~Bought~@d2"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(replaceListDatePictures(c.text, c.setting), c.expected)
            << c.text << " with " << c.setting;
    }
}

TEST(DatePictures, AFormEntryPictureTakesTheDateSetting) {
    const Case cases[] = {
        {"@d2", "d17", "@d17"},  {"D6-", "d17", "d17"}, {"@D", "@d6", "@d6"},
        {"@s20", "d17", "@s20"}, {"n4b", "d17", "n4b"}, {"", "d17", ""},
        {"@", "d17", "@"},       {"@d2", "", "@d2"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(replaceDatePicture(c.text, c.setting), c.expected)
            << c.text << " with " << c.setting;
    }
}

}  // namespace
}  // namespace cdz
