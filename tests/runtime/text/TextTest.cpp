#include <gtest/gtest.h>

#include "runtime/text/Text.h"
#include "runtime/text/Unicode.h"

namespace cdz {
namespace {

TEST(Text, AssignmentCutsAtWholeCharacters) {
    struct Case {
        const char* in;
        const char* kept;  // what Text<3> holds
    } const cases[] = {
        {"abcdef", "abc"},
        {"ÄÖÜß", "ÄÖÜ"},
        {"a€bc", "a€b"},
        {"𝄞𝄞𝄞𝄞", "𝄞𝄞𝄞"},
        {"ab", "ab"},
        {"", ""},
        // A broken sequence is kept byte by byte, each stray byte one character.
        {"\xE2\x82zz", "\xE2\x82z"},
        {"a\xF0\x9D", "a\xF0\x9D"},
    };
    for (const auto& c : cases) {
        Text<3> t(c.in);
        EXPECT_EQ(t.view(), c.kept) << c.in;
        EXPECT_LE(charCount(t.view()), 3);
    }
    Text<3> t("xyz");
    t = t.view().substr(1);  // assigning from its own buffer
    EXPECT_EQ(t.view(), "yz");
}

TEST(Text, ComparisonIgnoresTrailingBlanks) {
    Text<10> a("abc  ");
    EXPECT_TRUE(a == "abc");
    EXPECT_TRUE(a == Text<4>("abc"));
    EXPECT_FALSE(a == " abc");
    EXPECT_EQ(a.clipped(), "abc");
    EXPECT_LT(compareClipped("abc", "abd "), 0);
    EXPECT_GT(compareClipped("abcd", "abc   "), 0);
    EXPECT_EQ(compareClipped("   ", ""), 0);
    EXPECT_TRUE(Text<5>("   ").empty());
}

TEST(Unicode, FoldingAndCasing) {
    EXPECT_EQ(foldCase("BJÖRK"), foldCase("björk"));
    EXPECT_EQ(foldCase("straße"), foldCase("STRASSE"));
    EXPECT_NE(foldCase("strase"), foldCase("straße"));
    EXPECT_EQ(toUpper("ß"), "SS");
    EXPECT_EQ(toUpper("motörhead"), "MOTÖRHEAD");
    EXPECT_EQ(toLower("ÄÖÜ ABC"), "äöü abc");
    EXPECT_TRUE(equalsFolded("Björk  ", "BJÖRK"));
    EXPECT_FALSE(equalsFolded("Björk", "Bjork"));
}

}  // namespace
}  // namespace cdz
