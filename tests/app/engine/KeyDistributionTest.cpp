// The scroll thumb's key distributions: the alphabets, the 100 points between a view's first
// and last key, and the thumb places they give.
#include <QString>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/engine/browse/KeyDistribution.h"
#include "app/engine/browse/NumericDistribution.h"

namespace cdz::test {
namespace {

constexpr int kTitle = kThumbLetters;  // the title order's classes (width 40, no case)

TEST(ThumbAlphabet, ClassesChooseTheCharacters) {
    struct Case {
        int classes;
        int size;
        char32_t first, last;
        char32_t probe;
        int probeDigit;
    };
    const Case cases[] = {
        {kThumbLetters, 56, U'A', U'Þ', U'Z', 26},
        {kThumbLetters, 56, U'A', U'Þ', U'a', 0},
        {kThumbLetters, 56, U'A', U'Þ', U'1', 0},
        {kThumbLetters, 56, U'A', U'Þ', U'ª', 0},  // a letter, but not upper case
        {kThumbLetters | kThumbDigits, 66, U'0', U'Þ', U'A', 11},
        {kThumbPunctuation, 30, U' ', U'£', U'!', 2},
        {kThumbPunctuation, 30, U' ', U'£', U'<', 0},
        {kThumbLetters | kThumbCaseSensitive, 117, U'A', U'ÿ', U'a', 27},
        {kThumbLetters | kThumbPunctuation | kThumbDigits, 96, U' ', U'Þ', U'0', 17},
        {kThumbCaseSensitive, 0, 0, 0, U'A', 0},
    };
    for (const Case& c : cases) {
        const ThumbAlphabet a(c.classes);
        EXPECT_EQ(a.size(), c.size) << c.classes;
        if (c.size > 0) {
            EXPECT_EQ(a.at(1), c.first) << c.classes;
            EXPECT_EQ(a.at(a.size()), c.last) << c.classes;
        }
        EXPECT_EQ(a.digitOf(c.probe), c.probeDigit) << c.classes << " " << int(c.probe);
    }
}

TEST(KeyDistribution, LongSharedPrefixStillSpreadsOverTheFourCharactersAfterIt) {
    KeyDistribution d(40, kTitle, KeyCollation(true));
    d.build("Concerto in A Minor", "Concerto in G Major");
    EXPECT_EQ(d.prefix(), "Concerto in ");  // 12 characters
    // Base 28 (accented letters count as their base letters, Þ stays): "A MI" and "G MA",
    // the space outside the alphabet counting 0.
    EXPECT_EQ(d.lowNumber(), 1 * 21952 + 0 + 13 * 28 + 9);
    EXPECT_EQ(d.highNumber(), 7 * 21952 + 0 + 13 * 28 + 1);
    EXPECT_EQ(d.point(1), "Concerto in A MI");
    EXPECT_EQ(d.point(50), "Concerto in CÞPW");
    EXPECT_EQ(d.point(100), "Concerto in G MA");
    for (int k = 1; k <= 100; ++k) EXPECT_EQ(d.point(k).rfind(d.prefix(), 0), 0u) << k;
}

TEST(KeyDistribution, TitlesBeginningWithDigitsPlaceTheThumbAtTheTop) {
    KeyDistribution d(40, kTitle, KeyCollation(true));
    d.build("10cc", "ZZ Top");
    EXPECT_EQ(d.lowNumber(), 3 * 28 + 3);  // "10CC": the digits count 0
    EXPECT_EQ(d.point(2), "GTI");
    EXPECT_EQ(d.thumbPosition("10cc"), 0);
    EXPECT_EQ(d.thumbPosition("2 Unlimited"), 2);
    EXPECT_EQ(d.thumbPosition("4 Non Blondes"), 2);
}

// The first key at or after `value`, as a view in key order finds it.
std::string firstAtOrAfter(const std::vector<std::string>& keys, const std::string& value,
                           KeyCollation c) {
    for (const std::string& k : keys)
        if (c.compare(k, value) >= 0) return k;
    return "<end>";
}

TEST(KeyDistribution, MiddlePointOfATitleOrder) {
    KeyDistribution d(40, kTitle, KeyCollation(true));
    d.build("A", "Z");  // high "ZÞÞÞ", padded with the alphabet's last letter
    EXPECT_EQ(d.point(50), "MXHU");
    // In the key's order, "Mötley" files with "Motley", before "Mozart".
    const std::vector<std::string> titles = {"Abbey Road", "Mötley", "Mozart", "Nevermind"};
    EXPECT_EQ(firstAtOrAfter(titles, d.point(50), KeyCollation(true)), "Nevermind");
    EXPECT_EQ(d.thumbPosition("mötley"), 49);
    EXPECT_EQ(d.thumbPosition("MOZART"), 49);
}

// A last key in another script counts past the alphabet's last letter, so the names between
// spread over the thumb in their order instead of bunching at one end.
TEST(KeyDistribution, AKeyOutsideTheAlphabetCountsAsHighAsItSorts) {
    KeyDistribution d(40, kTitle, KeyCollation(true));
    d.build("Ação", "𠮷麗");
    int last = 0;
    for (const char* name : {"Ação", "Bach", "Mozart", "Zappa", "𠮷麗"}) {
        const int place = d.thumbPosition(name);
        EXPECT_GE(place, last) << name;
        last = place;
    }
    EXPECT_LE(d.thumbPosition("Ação"), 2);
    EXPECT_NEAR(d.thumbPosition("Mozart"), 45, 5);
    EXPECT_EQ(d.thumbPosition("𠮷麗"), 100);
}

bool validUtf8(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())).toStdString() == s;
}

TEST(KeyDistribution, NeverCutsACharacter) {
    struct Case {
        const char* low;
        const char* high;
        bool noCase;
        int width;
        const char* prefix;
        const char* first;
        const char* last;
    };
    const Case cases[] = {
        // A case-blind key reads accented letters as their base letters.
        {"Émile", "Éric", true, 40, "E", "EMILE", "ERICÞ"},
        {"émile", "Éric", true, 40, "e", "eMILE", "eRICÞ"},  // same letter as the key folds
        {"Émile", "Ëric", true, 40, "E", "EMILE", "ERICÞ"},
        {"émile", "Éric", false, 40, "", "ÉMIL", "ÉRIC"},
        {"ÉÉÉÉÉÉ", "ÉÉÉÉÉÉ", false, 3, "ÉÉÉ", "ÉÉÉ", "ÉÉÉ"},  // width in characters
    };
    for (const Case& c : cases) {
        KeyDistribution d(c.width, kTitle, KeyCollation(c.noCase));
        d.build(c.low, c.high);
        EXPECT_EQ(d.prefix(), c.prefix) << c.low << " " << c.high;
        EXPECT_EQ(d.point(1), c.first) << c.low << " " << c.high;
        EXPECT_EQ(d.point(100), c.last) << c.low << " " << c.high;
        for (int k = 1; k <= 100; ++k) EXPECT_TRUE(validUtf8(d.point(k))) << k;
    }
}

TEST(KeyDistribution, PlacesAtTheFirstPointAtOrAfterTheKey) {
    KeyDistribution categories(30, kThumbLetters, KeyCollation());
    EXPECT_EQ(categories.thumbPosition("Rock"), 0);  // nothing built yet
    categories.build("Blues", "Rock");
    const std::pair<const char*, int> places[] = {{"Blue", 0},  {"Blues", 2},  {"blues", 2},
                                                  {"Jazz", 50}, {"Rock", 100}, {"Zydeco", 100}};
    for (const auto& [key, position] : places) EXPECT_EQ(categories.thumbPosition(key), position);
}

TEST(NumericDistribution, PointsEvenlyBetweenTheEnds) {
    NumericDistribution d;
    EXPECT_EQ(d.thumbPosition(7), 0);
    d.build(10, 1000);
    EXPECT_DOUBLE_EQ(d.point(1), 10);
    EXPECT_DOUBLE_EQ(d.point(2), 20);
    EXPECT_DOUBLE_EQ(d.point(100), 1000);
    const std::pair<double, int> places[] = {{5, 0},    {10, 0},     {15, 2},    {500, 50},
                                             {505, 51}, {1000, 100}, {2000, 100}};
    for (const auto& [value, position] : places) EXPECT_EQ(d.thumbPosition(value), position);
}

}  // namespace
}  // namespace cdz::test
