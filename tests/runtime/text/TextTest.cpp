#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "runtime/text/SortKey.h"
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

// Sort keys file accents with their letter and tell spellings apart only after the letters.
TEST(Unicode, SortKeysOrderAsAPersonFilesNames) {
    const std::vector<std::string> filed{
        "Abba",     "Bjork",        "Björk",  "BJÖRK",   "Eagles", "Edith",  "Édith Piaf",
        "Ødegaard", "Shostakovich", "Straße", "Strauss", "Zappa",  "Ärzte?", "Київ"};
    std::vector<std::string> sorted = filed;
    std::stable_sort(sorted.begin(), sorted.end(), [](const std::string& a, const std::string& b) {
        return sortKey(a) < sortKey(b);
    });
    EXPECT_EQ(sorted,
              (std::vector<std::string>{"Abba", "Ärzte?", "Bjork", "Björk", "BJÖRK", "Eagles",
                                        "Edith", "Édith Piaf", "Ødegaard", "Shostakovich", "Straße",
                                        "Strauss", "Zappa", "Київ"}));
    // Equal keys exactly when the folded texts are equal: a unique key keeps its meaning.
    const struct {
        const char* a;
        const char* b;
        bool same;
    } pairs[] = {{"Björk", "BJÖRK", true},
                 {"straße", "STRASSE", true},
                 {"Björk", "Bjork", false},
                 {"Édith", "Edith", false},
                 {"한국", "한국", true}};
    for (const auto& p : pairs) EXPECT_EQ(sortKey(p.a) == sortKey(p.b), p.same) << p.a;
    // A beginning's base letters begin every key of a text it begins.
    for (const char* text : {"Édith Piaf", "Ødegaard", "Straße", "한국어"})
        EXPECT_TRUE(sortKey(text).starts_with(sortPrefix(std::string(text).substr(0, 3)))) << text;
    EXPECT_EQ(sortKey("plain ascii"), "plain ascii");
}

}  // namespace
}  // namespace cdz
