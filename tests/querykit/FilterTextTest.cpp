// The filter text of the wizard's conditions: its exact words, and that it selects the songs
// it should when the runtime evaluates it.
#include "querykit/qwizard/FilterText.h"

#include <gtest/gtest.h>

#include "runtime/expr/Expression.h"
#include "tests/querykit/SongFields.h"

namespace qk::test {
namespace {

using VK = ValueKind;

struct Song {
    const char* title;
    const char* notes;
    const char* artist;
    const char* rating;
    const char* album;
    int32_t year;
    int32_t length;
    uint8_t favourite;
};

const Song kSongs[] = {
    {"Abcdef", "mix of x", "The Beatles", "5", "abcdef", 1969, -1969, 1},
    {"abc", "none é", "Beat Happening", "4", "ABC", 1985, 200, 0},
    {"Guns N' Roses", "X marks \U0001F3B8", "Guns N' Roses", "3", "Appetite", 1987, 1987, 0},
};

struct Case {
    std::vector<QueryElement> elements;
    const char* text;
    const char* matches;  // per song of kSongs: 1 selected, 0 not
};

const Case kCases[] = {
    // Text fields: each operator, with and without the option box, each value kind.
    {{condition(kTitle, op::kBeginsWith, "abc")}, "UPPER(SUB(MUS:Title,1,3)) = 'ABC'", "110"},
    {{condition(kTitle, op::kNotBeginsWith, "ab")}, "UPPER(SUB(MUS:Title,1,2)) <> 'AB'", "001"},
    {{condition(kTitle, op::kBeginsWith, "Guns N'", true)},
     "SUB(MUS:Title,1,7) = 'Guns N'''",
     "001"},
    {{condition(kNotes, op::kNotContains, "x", true)}, "NOT INSTRING('x',MUS:Notes,1,1)", "011"},
    {{condition(kNotes, op::kContains, "é")}, "INSTRING('É',UPPER(MUS:Notes),1,1)", "010"},
    {{condition(kNotes, op::kContains, "\U0001F3B8")},
     "INSTRING('\U0001F3B8',UPPER(MUS:Notes),1,1)",
     "001"},
    {{condition(kArtist, op::kContains, "beat", false, VK::Constant, "AND"),
      condition(kRating, op::kEqual, "5", true)},
     "INSTRING('BEAT',UPPER(ALB:Artist),1,1) AND ALB:Rating = '5'",
     "100"},
    {{condition(kArtist, op::kEqual, "Guns N' Roses", true)},
     "ALB:Artist = 'Guns N'' Roses'",
     "001"},
    {{condition(kTitle, op::kNotEqual, "abc", true)}, "MUS:Title <> 'abc'", "101"},
    {{condition(kRating, op::kGreater, "3")}, "UPPER(ALB:Rating) > '3'", "110"},
    {{condition(kTitle, op::kEqual, "2", false, VK::OtherField)},
     "UPPER(MUS:Title) = UPPER(MUS:Notes)",
     "000"},
    {{condition(kTitle, op::kEqual, "3", false, VK::OtherField)},
     "UPPER(MUS:Title) = UPPER(ALB:Artist)",
     "001"},
    {{condition(kTitle, op::kLessEqual, "9", true, VK::OtherField)},
     "MUS:Title <= MUS:Album",
     "100"},
    {{condition(kTitle, op::kContains, "9", false, VK::OtherField)},
     "INSTRING(UPPER(MUS:Album),UPPER(MUS:Title),1,1)",
     "110"},
    // An expression's text is upper-cased with a case-insensitive comparison, names and all.
    {{condition(kNotes, op::kContains, "'x'", false, VK::Expression)},
     "INSTRING('X',UPPER(MUS:Notes),1,1)",
     "101"},
    {{condition(kTitle, op::kEqual, "MUS:Album", false, VK::Expression)},
     "UPPER(MUS:Title) = MUS:ALBUM",
     "010"},
    {{condition(kTitle, op::kGreater, "MUS:Album", true, VK::Expression)},
     "MUS:Title > MUS:Album",
     "011"},
    // Numbers: no quotes, absolute values with the option box.
    {{condition(kYear, op::kGreater, "1969")}, "MUS:Year > 1969", "011"},
    {{condition(kYear, op::kLess, "1985")}, "MUS:Year < 1985", "100"},
    {{condition(kYear, op::kGreaterEqual, "1985")}, "MUS:Year => 1985", "011"},
    {{condition(kYear, op::kLessEqual, "1985")}, "MUS:Year <= 1985", "110"},
    {{condition(kYear, op::kNotEqual, "1985", true)}, "ABS(MUS:Year) <> 1985", "101"},
    {{condition(kLength, op::kEqual, "1969", true)}, "ABS(MUS:Length) = 1969", "100"},
    {{condition(kYear, op::kEqual, "6", true, VK::OtherField)},
     "ABS(MUS:Year) = ABS(MUS:Length)",
     "101"},
    {{condition(kYear, op::kEqual, "6", false, VK::OtherField)}, "MUS:Year = MUS:Length", "001"},
    {{condition(kYear, op::kEqual, "1960 + 9", false, VK::Expression)},
     "MUS:Year = 1960 + 9",
     "100"},
    // Check boxes.
    {{condition(kFavourite, op::kChecked, "1")}, "MUS:Favourite <> 0", "100"},
    {{condition(kFavourite, op::kNotChecked, "0", false, VK::Constant, "OR"),
      condition(kYear, op::kEqual, "1969")},
     "MUS:Favourite = 0 OR MUS:Year = 1969",
     "111"},
    // Joined conditions.
    {{condition(kYear, op::kEqual, "1969", false, VK::Constant, "OR"),
      condition(kYear, op::kEqual, "1985", false, VK::Constant, "AND"),
      condition(kRating, op::kEqual, "4")},
     "MUS:Year = 1969 OR MUS:Year = 1985 AND UPPER(ALB:Rating) = '4'",
     "110"},
};

TEST(FilterTextTest, ConditionsGiveTheirTextAndSelectTheRightSongs) {
    SongRecord song;
    cdz::Bindings bindings;
    bindSong(bindings, song);
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.text);
        const std::string text = FilterText::generate(c.elements);
        EXPECT_EQ(text, c.text);
        cdz::Expression filter;
        ASSERT_TRUE(filter.compile(text, bindings)) << filter.error().message;
        std::string matches;
        for (const Song& s : kSongs) {
            song.Title = s.title;
            song.Notes = s.notes;
            song.Artist = s.artist;
            song.Rating = s.rating;
            song.Album = s.album;
            song.Year = s.year;
            song.Length = s.length;
            song.Favourite = s.favourite;
            matches += filter.test() ? '1' : '0';
        }
        EXPECT_EQ(matches, c.matches);
    }
}

TEST(FilterTextTest, TextIsCutToItsWidth) {
    std::vector<QueryElement> many(
        40, condition(kArtist, op::kContains, std::string(30, 'a'), true, VK::Constant, "AND"));
    const std::string text = FilterText::generate(many);
    EXPECT_EQ(cdz::charCount(text), FilterText::kWidth - 1);  // the leading blank went
    EXPECT_EQ(FilterText::generate({}), "");
}

}  // namespace
}  // namespace qk::test
