// The incremental and step locators: what typing keeps, and where it finds records, compared
// as the key compares.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/domain/data/SongRecord.h"
#include "app/engine/browse/IncrementalLocator.h"
#include "app/engine/browse/StepLocator.h"
#include "app/engine/columns/ColumnOrder.h"
#include "runtime/data/FileDecl.h"
#include "runtime/text/Picture.h"

namespace cdz::test {
namespace {

TEST(IncrementalLocator, KeepsWhatIsTyped) {
    struct Step {
        const char* key;  // "<BS>" for Backspace, else the text the key gave
        bool changed;
        const char* value;
    };
    struct Case {
        const char* what;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"letters and a space", {{"T", true, "T"}, {"h", true, "Th"}, {" ", true, "Th "}}},
        {"backspace on empty", {{"<BS>", false, ""}, {"a", true, "a"}, {"<BS>", true, ""}}},
        {"keys without a printable character",
         {{"", false, ""}, {"\b", false, ""}, {"\x1b", false, ""}, {"x\t", false, ""}}},
        {"a character of two bytes",
         {{"É", true, "É"}, {"d", true, "Éd"}, {"<BS>", true, "É"}, {"<BS>", true, ""}}},
    };
    for (const Case& c : cases) {
        IncrementalLocator locator;
        for (const Step& s : c.steps) {
            const bool changed =
                std::string(s.key) == "<BS>" ? locator.backspace() : locator.type(s.key);
            EXPECT_EQ(changed, s.changed) << c.what << ": " << s.key;
            EXPECT_EQ(locator.value(), s.value) << c.what << ": " << s.key;
        }
    }
}

TEST(IncrementalLocator, ThirtyFirstCharacterIsNotKept) {
    IncrementalLocator locator;
    for (int i = 0; i < 30; ++i) EXPECT_TRUE(locator.type(i % 2 ? "é" : "z"));
    EXPECT_FALSE(locator.type("q"));
    EXPECT_EQ(locator.length(), 30);
    EXPECT_EQ(locator.value().substr(locator.value().size() - 3), "zé");
    EXPECT_TRUE(locator.backspace());
    EXPECT_EQ(locator.length(), 29);
    locator.blank();
    EXPECT_EQ(locator.value(), "");
    EXPECT_EQ(locator.length(), 0);
}

// The first key at or after `value` in a view ordered as `c` compares.
std::string firstAtOrAfter(const std::vector<std::string>& keys, std::string_view value,
                           KeyCollation c) {
    for (const std::string& k : keys)
        if (c.compare(k, value) >= 0) return k;
    return "<end>";
}

TEST(IncrementalLocator, FindsAsTheKeyCompares) {
    struct Case {
        bool noCase;
        const char* typed;
        const char* found;
    };
    const Case cases[] = {
        {true, "édi", "Édith"}, {true, "ÉDI", "Édith"},  {true, "EDW", "Edwin"},
        {true, "éz", "<end>"},  {false, "ÉDI", "Édith"}, {false, "édi", "<end>"},
    };
    for (const Case& c : cases) {
        const KeyCollation order(c.noCase);
        std::vector<std::string> artists = {"Eddie", "Edwin", "Édith", "Émile"};
        std::sort(artists.begin(), artists.end(), [&](const std::string& a, const std::string& b) {
            return order.compare(a, b) < 0;
        });
        IncrementalLocator locator;
        locator.type(c.typed);
        EXPECT_EQ(firstAtOrAfter(artists, locator.value(), order), c.found) << c.typed;
    }
}

TEST(StepLocator, DecidesByFirstLetters) {
    struct Case {
        bool noCase;
        const char* typed;
        const char* highlighted;
        StepLocator::Action onKey;
    };
    using A = StepLocator::Action;
    const Case cases[] = {
        {false, "c", "CD", A::StepDown},   {false, "D", "CD", A::Locate},
        {false, "é", "Éire", A::StepDown}, {true, "e", "Éire", A::StepDown},  // É files with E
        {true, "s", "ſtar", A::StepDown},                                     // long s folds to s
        {false, "\x1b", "CD", A::Ignore},
    };
    for (const Case& c : cases) {
        const StepLocator step{KeyCollation(c.noCase)};
        EXPECT_EQ(step.onKey(c.typed, c.highlighted), c.onKey) << c.typed << " " << c.highlighted;
        const A after = c.onKey == A::StepDown ? A::Stay : c.onKey;
        EXPECT_EQ(step.afterStep(c.typed, c.highlighted), after) << c.typed;
    }
    EXPECT_EQ(StepLocator(KeyCollation(false)).locateValue("c"), "C");
    EXPECT_EQ(StepLocator(KeyCollation(true)).locateValue("édith"), "é");
}

// Drives the step locator as the browse does, over a view of names in key order.
struct StepBrowse {
    std::vector<std::string> names;
    KeyCollation order;
    size_t highlighted = 0;

    void type(const char* c) {
        const StepLocator step(order);
        StepLocator::Action a = step.onKey(c, names[highlighted]);
        if (a == StepLocator::Action::StepDown) {
            highlighted = std::min(highlighted + 1, names.size() - 1);
            a = step.afterStep(c, names[highlighted]);
        }
        if (a != StepLocator::Action::Locate) return;
        const std::string value = step.locateValue(c);
        highlighted = names.size() - 1;  // beyond the last key: the last record
        for (size_t i = 0; i < names.size(); ++i) {
            if (order.compare(names[i], value) >= 0) {
                highlighted = i;
                break;
            }
        }
    }
};

TEST(StepLocator, SameLetterStepsThroughItsNamesThenComesBack) {
    struct Case {
        std::vector<const char*> keys;
        const char* highlighted;
    };
    const Case cases[] = {
        {{"C"}, "CD"},           {{"C", "C"}, "Cassette"}, {{"c", "c"}, "Cassette"},
        {{"C", "C", "C"}, "CD"}, {{"M", "L"}, "LP"},       {{"Z"}, "Vinyl"},
    };
    for (const Case& c : cases) {
        StepBrowse media{{"CD", "Cassette", "DVD", "LP", "MiniDisc", "Vinyl"}, KeyCollation(false)};
        media.highlighted = 2;  // DVD
        for (const char* k : c.keys) media.type(k);
        EXPECT_EQ(media.names[media.highlighted], c.highlighted) << c.keys.size() << c.keys[0];
    }
}

// The column order's locator: twelve characters at most, a backspace takes a whole character,
// and the text reaches the field upper-cased, or read through the column's picture.
TEST(ColumnLocator, CutsTypesAndStoresThroughThePicture) {
    ColumnLocator l;
    for (char32_t c : std::u32string(U"abcdefghijklmn")) l.type(c);
    EXPECT_EQ(l.text(), "abcdefghijkl");
    l.blank();
    l.type(U'é');
    l.type(U'x');
    EXPECT_TRUE(l.type(U'\b'));
    EXPECT_TRUE(l.type(U'\b'));
    EXPECT_EQ(l.text(), "");
    EXPECT_FALSE(l.type(U'\b'));

    const FileDecl& decl = SongRecord::declaration();
    const FieldDesc& title = decl.columns()[static_cast<size_t>(decl.columnIndex("MUS:Title"))];
    const FieldDesc& date =
        decl.columns()[static_cast<size_t>(decl.columnIndex("MUS:ReleaseDate"))];
    SongRecord song;
    for (char32_t c : std::u32string(U"straße ")) l.type(c);
    l.store(title, &song, "@s40");
    EXPECT_EQ(song.Title, "STRASSE");
    l.blank();
    for (char32_t c : std::u32string(U"3/4/1990")) l.type(c);
    l.store(date, &song, "@d2");
    EXPECT_EQ(std::get<int64_t>(date.value(&song)),
              std::stoll(Picture::parse("@d2")->deformat("3/4/1990")));
    EXPECT_GT(song.ReleaseDate, 0);
}

}  // namespace
}  // namespace cdz::test
