#include "app/engine/columns/ListFormat.h"

#include <gtest/gtest.h>

namespace cdz {
namespace {

constexpr const char* kSongs =
    "75L(2)|_M~Title~@s40@75L(2)|_M~Artist~@s40@76L(2)|_M~Album~@s40@39L(2)|_M~Media~@s20@"
    "43L(2)|_M~File Number~@s20@51L(1)|_M~Category~L(0)@s30@23R(2)|_M~Time~C(0)@t4b@"
    "45R(2)|_M~Released~C(0)@d17b@8R(2)|_M~Rating~C(0)@s2@";

ListFormat parsed(const std::string& text) {
    const ListFormatParse result = ListFormat::parse(text);
    EXPECT_TRUE(result.format) << text << ": " << result.error;
    return result.format.value_or(ListFormat());
}

TEST(ListFormat, EveryFormatOfTheProgramWritesBackAsItCame) {
    const std::vector<std::pair<std::string, size_t>> formats = {
        {kSongs, 9},
        {"80L~Media~@s20@", 1},
        {"120L~Category~@s30@", 1},
        {"80L(2)|M~Category~L(2)@s30@", 1},
        {"80L(2)|M~Media~L(2)@s20@", 1},
        {"42L(1)|M~Import Field~S(75)@s50@40L(1)|M~Picture~S(45)@s30@150L(1)~Value~S(300)@s255@",
         3},
        {"65L(1)M~Target Field~S(75)@s50@8C~=~@s1@65L(1)~Import Field~S(75)@s50@", 3},
        {"200L(1)~All Fields~@s50@", 1},
        {"200L(1)~Export Fields~@s50@", 1},
        // What the program writes for settings its own lists leave out.
        {"60D(-4)F~Price~R(1)@n-10.2@#7#12C~~Z(1,2)_@s1@30L", 3},
    };
    for (const auto& [text, count] : formats) {
        const ListFormat format = parsed(text);
        EXPECT_EQ(format.columns().size(), count) << text;
        EXPECT_EQ(format.text(), text);
    }
}

TEST(ListFormat, ReadsEachPartOfAColumn) {
    const ListFormat songs = parsed(kSongs);
    const ListColumn& category = songs.columns()[5];
    EXPECT_EQ(category.width(), 51);
    EXPECT_EQ(category.justify(), Justify::Left);
    EXPECT_EQ(category.offset(), 1);
    EXPECT_TRUE(category.border());
    EXPECT_TRUE(category.underline());
    EXPECT_TRUE(category.resizable());
    EXPECT_FALSE(category.fixed());
    EXPECT_EQ(category.header(), "Category");
    EXPECT_EQ(category.headerJustify(), Justify::Left);
    EXPECT_EQ(category.headerOffset(), 0);
    EXPECT_EQ(category.picture(), "s30");
    EXPECT_EQ(category.fieldNumber(), std::nullopt);
    EXPECT_EQ(songs.columns()[7].justify(), Justify::Right);
    EXPECT_EQ(songs.columns()[7].headerJustify(), Justify::Center);
    EXPECT_EQ(songs.columns()[0].headerJustify(), std::nullopt);

    const ListFormat targets =
        parsed("65L(1)M~Target Field~S(75)@s50@8C~=~@s1@65L(1)~Import Field~S(75)@s50@");
    EXPECT_EQ(targets.columns()[0].attribute('S'), "75");
    EXPECT_FALSE(targets.columns()[0].border());
    EXPECT_EQ(targets.columns()[1].attribute('S'), std::nullopt);
    EXPECT_EQ(targets.columns()[1].header(), "=");
    EXPECT_EQ(targets.columns()[1].offset(), std::nullopt);

    const ListFormat priced = parsed("60D(-4)F~Price~R(1)@n-10.2@#7#");
    EXPECT_EQ(priced.columns()[0].justify(), Justify::Decimal);
    EXPECT_EQ(priced.columns()[0].offset(), -4);
    EXPECT_TRUE(priced.columns()[0].fixed());
    EXPECT_EQ(priced.columns()[0].fieldNumber(), 7);
}

TEST(ListFormat, RefusesMalformedTextSayingWhere) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "the format has no columns"},
        {"L(2)~Title~", "column 1, character 1: a width (digits) was expected"},
        {"75(2)~Title~", "a justification (L, R, C or D) was expected"},
        {"75l~Title~", "a justification (L, R, C or D) was expected"},
        {"75", "character 3: a justification"},
        {"75L(2~Title~", "the offset has no closing \")\""},
        {"75L()~Title~", "the offset in brackets must be a number"},
        {"75L~Title", "character 4: the header has no closing \"~\""},
        {"75L~Title~@s40", "the picture has no closing \"@\""},
        {"75L~Title~@s40@#3", "the field number has no closing \"#\""},
        {"75L~Title~@s40@#x#", "the field number between \"#\" must be digits"},
        {"75L~Title~@s40@ ", "character 16: unexpected character \" \""},
        {"75L~Title~@s40@)", "unexpected character \")\""},
        {"75L~Title~@s40@x", "unexpected character \"x\""},
        {"75L~Title~@@", "an empty picture"},
        {"75L~A~~B~", "a second header"},
        {"75L@s1@@s2@", "a second picture"},
        {"75L@s1@#1##2#", "a second field number"},
        {"75L||", "a second \"|\""},
        {"75L|(2)", "unexpected character \"(\""},
        {"75LS(75", "the bracket has no closing \")\""},
        {"75LS(7a)", "unexpected character \"a\" in brackets"},
        {"99999999999L", "the number is larger than 32767"},
        {"75L~Title~L(", "the header offset in brackets must be a number"},
        {"75L~Title~@s40@80L~Artist", "column 2, character 19: the header has no closing"},
    };
    for (const auto& [text, reason] : cases) {
        const ListFormatParse result = ListFormat::parse(text);
        EXPECT_FALSE(result.format) << text;
        EXPECT_NE(result.error.find(reason), std::string::npos)
            << text << " gave: " << result.error;
    }
}

// Every cut of a long format either reads and writes back as it is, or is refused with a reason.
TEST(ListFormat, EveryCutOfAFormatReadsBackOrIsRefused) {
    const std::string songs = kSongs;
    int refused = 0;
    for (size_t length = 0; length <= songs.size(); ++length) {
        const std::string cut = songs.substr(0, length);
        const ListFormatParse result = ListFormat::parse(cut);
        if (result.format) {
            EXPECT_EQ(result.format->text(), cut);
        } else {
            EXPECT_FALSE(result.error.empty()) << cut;
            ++refused;
        }
    }
    EXPECT_GT(refused, 0);
}

TEST(ListFormat, EditedColumnsWriteBack) {
    const std::string songs = kSongs;
    const std::string rating = "8R(2)|_M~Rating~C(0)@s2@";
    const auto check = [&](const ListFormat& format, const std::string& expected) {
        EXPECT_EQ(format.text(), expected);
        EXPECT_EQ(parsed(format.text()), format) << expected;
    };

    ListFormat wider = parsed(songs);
    wider.columns()[0].setWidth(100);
    check(wider, "100" + songs.substr(2));

    ListFormat hidden = parsed(songs);
    hidden.columns().pop_back();
    check(hidden, songs.substr(0, songs.size() - rating.size()));

    ListFormat moved = parsed(songs);
    std::swap(moved.columns()[0], moved.columns()[1]);
    check(moved, "75L(2)|_M~Artist~@s40@75L(2)|_M~Title~@s40@" + songs.substr(43));

    ListFormat renamed = parsed(songs);
    EXPECT_TRUE(renamed.columns()[0].setHeader("Song Title"));
    EXPECT_FALSE(renamed.columns()[0].setHeader("Bad~Header"));
    EXPECT_FALSE(renamed.columns()[0].setPicture("s4@0"));
    check(renamed, "75L(2)|_M~Song Title~@s40@" + songs.substr(21));

    ListColumn media(80, Justify::Left);
    media.setOffset(2);
    media.setPicture("s20");
    media.setHeader("Media");
    media.setResizable(true);
    media.setBorder(true);
    ListFormat shown = parsed("80L(2)|M~Category~L(2)@s30@");
    shown.columns().push_back(media);
    ListColumn& category = shown.columns()[0];
    category.setBorder(false);
    category.setUnderline(true);
    category.setFixed(true);
    category.setHeaderJustify(Justify::Right, 3);
    category.setFieldNumber(2);
    category.setOffset(std::nullopt);
    check(shown, "80L_MF~Category~R(3)@s30@#2#80L(2)|M~Media~@s20@");

    category.setHeaderJustify(std::nullopt, 5);
    category.setPicture("");
    category.setFieldNumber(std::nullopt);
    EXPECT_FALSE(category.setAttribute('L'));  // would read back as the header's justification
    EXPECT_FALSE(category.setAttribute('|', "2"));
    EXPECT_TRUE(category.setAttribute('S', "120"));
    category.setWidth(-5);
    check(shown, "0L_MF~Category~S(120)80L(2)|M~Media~@s20@");
}

}  // namespace
}  // namespace cdz
