#include "runtime/ui/FileFilterList.h"

#include <QString>

#include <gtest/gtest.h>

namespace cdz {
namespace {

TEST(FileFilterList, ParsesNamePatternPairs) {
    struct Case {
        const char* list;
        std::vector<FileFilter> filters;
    };
    const Case cases[] = {
        {"Import Files|*.CSV|All Files|*.*", {{"Import Files", {"*.CSV"}}, {"All Files", {"*.*"}}}},
        {"Pictures|*.GIF;*.BMP; *.JPG", {{"Pictures", {"*.GIF", "*.BMP", "*.JPG"}}}},
        {"", {}},
        {"Lonely name", {}},
        {"Broken||All Files|*.*", {{"All Files", {"*.*"}}}},
        {"A|*.A|", {{"A", {"*.A"}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        EXPECT_EQ(parseFileFilterList(c.list), c.filters);
    }
}

TEST(FileFilterList, TranslatesToCaseBlindQtFilters) {
    const auto qt = toQtNameFilters(parseFileFilterList(
        "All Files|*.*|GIF Files|*.GIF|Windows Metafiles|*.WMF|Odd (old)|[1]?.x;*.7z"));
    ASSERT_EQ(qt.size(), 4u);
    EXPECT_EQ(qt[0], "All Files (*)");
    EXPECT_EQ(qt[1], "GIF Files (*.[gG][iI][fF])");
    EXPECT_EQ(qt[2], "Windows Metafiles (*.[wW][mM][fF])");
    EXPECT_EQ(qt[3], "Odd [old] ([[]1[]]?.[xX] *.7[zZ])");
    EXPECT_EQ(toQtNameFilters({}), std::vector<QString>{"All Files (*)"});
}

TEST(FileFilterList, PatternsMatchRegardlessOfCase) {
    struct Case {
        const char* pattern;
        const char* name;
        bool matches;
    };
    const Case cases[] = {
        {"*.CSV", "songs.csv", true},
        {"*.CSV", "SONGS.CSV", true},
        {"*.CSV", "Songs.Csv", true},
        {"*.csv", "SONGS.CSV", true},
        {"*.CSV", "songs.csv.bak", false},
        {"*.CSV", "songscsv", false},
        {"*.*", "README", true},
        {"*.*", "a.b", true},
        {"*.JPG", "Ä.jpg", true},
        {"*.ÄB", "x.äb", true},
        {"?.X", "a.x", true},
        {"?.X", "ab.x", false},
        {"[1].x", "[1].X", true},
        {"[1].x", "1.x", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " ~ " + c.name);
        EXPECT_EQ(matchesFilter(FileFilter{"f", {c.pattern}}, c.name), c.matches);
    }
    EXPECT_TRUE(matchesFilter(FileFilter{"f", {"*.GIF", "*.BMP"}}, "logo.bmp"));
}

}  // namespace
}  // namespace cdz
