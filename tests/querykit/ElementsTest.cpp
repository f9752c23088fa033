// The wizard's conditions: their display lines, combining with the caller's
// filter, and their way through the store and back.
#include "querykit/qwizard/FilterCombination.h"
#include "querykit/qwizard/FilterText.h"
#include "querykit/qwizard/SavedElements.h"

#include "tests/querykit/SongFields.h"
#include "tests/querykit/StoreFixture.h"

namespace qk::test {
namespace {

TEST(ElementDisplayTest, LinesNameFieldOperatorAndValue) {
    DisplayTexts texts;
    setOperatorNames(texts);
    const XRQW_FieldsQueue fields = songFields();
    const ElementDisplay display(fields, texts);
    QueryElement gone = condition(kTitle, op::kEqual, "x");
    gone.fieldIndex = -1;
    const std::pair<QueryElement, const char*> cases[] = {
        {condition(kTitle, op::kBeginsWith, "Guns N' Roses"), "Title Begins With Guns N' Roses"},
        {condition(kYear, op::kEqual, "6", true, ValueKind::OtherField), "Year Is Equal To Length"},
        {condition(kFavourite, op::kNotChecked, "0"), "Favourite Is NOT Checked"},
        {condition(kNotes, op::kContains, "'x' & 'y'", false, ValueKind::Expression),
         "Notes Contains 'x' & 'y'"},
        {condition(kReleased, op::kGreater, "80000"), "Released Is Greater Than 01/09/2020"},
        {gone, "????? Is Equal To x"},
        {condition(kTitle, op::kEqual, std::string(70, 'z')),
         "Title Is Equal To zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz"},
    };
    for (const auto& [element, line] : cases) EXPECT_EQ(display.line(element), line);
}

TEST(FilterCombinationTest, JoinsWhenThereIsRoom) {
    struct Case {
        const char* previous;
        const char* added;
        int width;
        const char* previousDescription;
        const char* addedDescription;
        int descriptionWidth;
        bool fits;
        const char* filter;
        const char* description;
    };
    const Case cases[] = {
        {"A = 1", "B = 2", 19, "Old", "New", 30, true, "(A = 1) OR (B = 2)", "(Old) OR (New)"},
        {"A = 1", "B = 2", 18, "Old", "New", 30, false, "", ""},
        {"A = 1", "B = 2", 1024, "Old", "<Unsaved Query>", 23, true, "(A = 1) OR (B = 2)",
         "(Old) OR (<Unsaved Query>)"},
        {"A = 1", "B = 2", 1024, "Old", "<Unsaved Query>", 22, true, "(A = 1) OR (B = 2)",
         "Multiple Queries Active"},
        {"", "B = 2", 5, "", "New", 30, true, "B = 2", "New"},
        {"A = 1", "  ", 5, "Old", "", 3, true, "A = 1", "Old"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.previous) + " " + std::to_string(c.width));
        const CombinedFilter out =
            FilterCombination::combine(c.previous, c.added, "OR", c.width, c.previousDescription,
                                       c.addedDescription, c.descriptionWidth);
        EXPECT_EQ(out.fits, c.fits);
        if (!c.fits) continue;
        EXPECT_EQ(out.filter, c.filter);
        EXPECT_EQ(out.description, c.description);
    }
}

class SavedElementsTest : public StoreFixture {};

TEST_F(SavedElementsTest, ConditionsComeBackFromTheStore) {
    DisplayTexts opNames;
    opNames.set(op::kEqual, "=");
    opNames.set(op::kChecked, "on");
    opNames.set(op::kNotChecked, "off");
    XRQW_FieldsQueue fields = songFields();
    const ElementDisplay display(fields, opNames);
    const std::vector<QueryElement> designed = {
        condition(kArtist, op::kEqual, "Guns N' Roses", true, ValueKind::Constant, "AND"),
        condition(kNotes, op::kEqual, "Björk \U0001F3B8 ß", false, ValueKind::Constant, "OR"),
        condition(kYear, op::kEqual, "6", true, ValueKind::OtherField, "AND"),
        condition(kTitle, op::kEqual, "MUS:Album & 'x'", false, ValueKind::Expression, "AND"),
        condition(kFavourite, op::kNotChecked, "1"),  // the stored state decides
    };
    const int32_t no = saveQuery("C", "d");
    ASSERT_EQ(store.saveElements(no, SavedElements::toRecords(designed, fields), true), 0);
    EXPECT_EQ(elementsOf(no), (std::vector<std::pair<int32_t, int32_t>>{
                                  {24, 0}, {27, 0}, {18, 15}, {30, 0}, {12, 0}}));

    std::vector<QueryElement> loaded = SavedElements::load(store, no, fields, display);
    ASSERT_EQ(loaded.size(), designed.size());
    for (std::size_t i = 0; i + 1 < designed.size(); ++i) {
        QueryElement want = designed[i];
        want.display = display.line(want);
        EXPECT_EQ(loaded[i], want);
    }
    EXPECT_EQ(loaded[4].opcode, op::kChecked);
    EXPECT_EQ(loaded[4].display, "Favourite on");
    EXPECT_EQ(loaded[1].display, "Notes = Björk \U0001F3B8 ß");

    // The fields of the first and third conditions leave the queue.
    fields.entries.erase(fields.entries.begin() + kLength - 1);
    fields.entries.erase(fields.entries.begin() + kArtist - 1);
    loaded = SavedElements::load(store, no, fields, display);
    EXPECT_EQ(loaded[0].fieldIndex, -1);
    EXPECT_EQ(loaded[0].display, "????? = Guns N' Roses");
    EXPECT_EQ(loaded[2].compareIndex, -1);
    EXPECT_EQ(loaded[2].display, "Year = ?????");
    // What is stored of them still works: the other field's Source is the value.
    loaded[2].conjunction.clear();
    EXPECT_EQ(FilterText::generate({loaded[2]}), "ABS(MUS:Year) = ABS(MUS:Length)");
    EXPECT_EQ(SavedElements::toRecords(loaded, fields)[2].CmpPointer, -1);
}

}  // namespace
}  // namespace qk::test
