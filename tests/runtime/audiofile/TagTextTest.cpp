// The text, numbers and dates of tags as the catalogue keeps them.
#include <gtest/gtest.h>

#include "runtime/audiofile/TagText.h"

namespace cdz {
namespace {

TEST(TagText, ControlCharactersGoAndARunOfThemInsideBecomesOneSpace) {
    const struct {
        const char* written;
        const char* kept;
    } cases[] = {
        {"Blue Hour", "Blue Hour"},
        {"\tBlue Hour\r\n", "Blue Hour"},
        {"line one\r\nline two", "line one line two"},
        {"A\001B", "A B"},
        {"A\177B", "A B"},
        {"A\302\205B", "A B"},         // U+0085, next line: a C1 control
        {"A\302\240B", "A\302\240B"},  // U+00A0, a no-break space: kept
        {"  padded  ", "padded"},
        {"Édith 日本", "Édith 日本"},
        {"\n\x01", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(cleanTagText(c.written), c.kept) << c.written;
}

TEST(TagText, NumbersAndTotalsAreReadOnlyWhenPlain) {
    const struct {
        const char* text;
        int number, total;
    } cases[] = {
        {"3", 3, 0},          {"03/12", 3, 12}, {" 3 / 12 ", 3, 12}, {"3/", 3, 0},
        {"/12", 0, 12},       {"A", 0, 0},      {"-1", 0, 0},        {"3.5", 0, 0},
        {"4294967299", 0, 0}, {"", 0, 0},       {"1/2/3", 1, 0},
    };
    for (const auto& c : cases) {
        const NumberOfTotal read = parseNumberOfTotal(c.text);
        EXPECT_EQ(read.number, c.number) << c.text;
        EXPECT_EQ(read.total, c.total) << c.text;
    }
}

TEST(TagText, AFullDateOrTheYearAlone) {
    const struct {
        const char* text;
        int year, month, day;
    } cases[] = {
        {"1997-09-22", 1997, 9, 22},
        {"1997-09-22T10:30:00", 1997, 9, 22},
        {"1997", 1997, 0, 0},
        {" 1997 ", 1997, 0, 0},
        {"1997-09", 1997, 0, 0},
        {"1997-02-30", 1997, 0, 0},
        {"2000-02-29", 2000, 2, 29},
        {"1900-02-29", 1900, 0, 0},
        {"1997-13-01", 1997, 0, 0},
        {"19970922", 0, 0, 0},
        {"97", 0, 0, 0},
        {"0000", 0, 0, 0},
        {"", 0, 0, 0},
        {"Spring 1997", 0, 0, 0},
    };
    for (const auto& c : cases) {
        const TagDate read = parseTagDate(c.text);
        EXPECT_EQ(read.year, c.year) << c.text;
        EXPECT_EQ(read.month, c.month) << c.text;
        EXPECT_EQ(read.day, c.day) << c.text;
    }
}

}  // namespace
}  // namespace cdz
