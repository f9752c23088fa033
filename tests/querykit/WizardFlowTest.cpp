// The wizard's pages without widgets: page order, what the value page offers, the condition
// stored, and the edits of the condition list.
#include "querykit/qwizard/WizardFlow.h"

#include <gtest/gtest.h>

#include "tests/querykit/SongFields.h"

namespace qk::test {
namespace {

using VK = ValueKind;

class WizardFlowTest : public ::testing::Test {
protected:
    WizardFlowTest() {
        setOperatorNames(texts);
        flow.startNew();
    }

    // Adds a condition through the pages.
    void add(int field, int opcode, VK kind, const std::string& value) {
        flow.edit().field = field;
        flow.next();
        flow.edit().opcode = opcode;
        if (flow.page() == WizardPage::Operation) flow.next();
        flow.setValueKind(kind);
        flow.edit().typed = value;
        flow.edit().choice = value;
        flow.edit().checked = value == "on";
        if (kind == VK::OtherField) flow.edit().otherField = std::stoi(value);
        flow.next();
    }

    XRQW_FieldsQueue fields = songFields();
    DisplayTexts texts;
    WizardFlow flow{fields, texts, false};
};

TEST_F(WizardFlowTest, PagesFollowTheFieldKind) {
    flow.edit().field = kTitle;
    flow.next();
    EXPECT_EQ(flow.page(), WizardPage::Operation);
    EXPECT_EQ(flow.operatorCount(), 10);
    flow.edit().opcode = 40;  // outside the operators: the first
    flow.next();
    EXPECT_EQ(flow.caption(), "Title Is Equal To ");
    flow.back();
    flow.back();
    flow.edit().field = kYear;
    EXPECT_EQ(flow.operatorCount(), 6);
    flow.edit().field = kFavourite;  // a check box has no operation page
    flow.next();
    EXPECT_EQ(flow.page(), WizardPage::Value);
    EXPECT_EQ(flow.caption(), "Favourite Is Equal To");
    flow.back();
    EXPECT_EQ(flow.page(), WizardPage::Field);
}

TEST_F(WizardFlowTest, ValuePageOffersWhatTheFieldTakes) {
    struct Case {
        int field;
        int opcode;
        VK kind;
        ValueControl control;
        const char* picture;
        int optionSlot;
        bool lookup;
    };
    const Case cases[] = {
        {kTitle, op::kEqual, VK::Constant, ValueControl::Entry, "@s40", 162, false},
        {kArtist, op::kContains, VK::Constant, ValueControl::Entry, "@S40", 162, true},
        {kArtist, op::kEqual, VK::Expression, ValueControl::Entry, "@S50", 162, false},
        {kArtist, op::kEqual, VK::OtherField, ValueControl::FieldList, "@s40", 162, false},
        {kRating, op::kEqual, VK::Constant, ValueControl::DropList, "@s1", 0, false},
        {kYear, op::kLess, VK::Constant, ValueControl::Entry, "@n4", 161, false},
        {kReleased, op::kEqual, VK::Constant, ValueControl::Entry, "@d2", 161, false},
        {kFavourite, op::kEqual, VK::Constant, ValueControl::CheckBox, "@n1", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field * 100 + c.opcode);
        flow.edit().field = c.field;
        flow.edit().opcode = c.opcode;
        flow.setValueKind(c.kind);
        EXPECT_EQ(flow.valueControl(), c.control);
        if (c.control == ValueControl::Entry) {
            EXPECT_EQ(flow.valuePicture(), c.picture);
        }
        EXPECT_EQ(flow.optionSlot(), c.optionSlot);
        EXPECT_EQ(flow.lookupShown(), c.lookup);
    }
    fields[kTitle - 1].Size = 200;
    flow.edit().field = kTitle;
    flow.edit().opcode = op::kBeginsWith;
    flow.setValueKind(VK::Constant);
    EXPECT_EQ(flow.valuePicture(), "@S80");
}

TEST_F(WizardFlowTest, NextOnTheValuePageStoresTheCondition) {
    struct Case {
        int field;
        int opcode;
        VK kind;
        const char* entered;
        const char* value;
        int opcodeStored;
        int compareIndex;
        const char* display;
    };
    const Case cases[] = {
        {kRating, op::kEqual, VK::Constant, "45", "4", 1, 0, "Rating Is Equal To 4"},
        {kTitle, op::kContains, VK::Constant, "Don't", "Don't", 8, 0, "Title Contains Don't"},
        {kYear, op::kGreater, VK::Constant, "", "0", 3, 0, "Year Is Greater Than 0"},
        {kYear, op::kGreater, VK::Expression, " ", "0", 3, 0, "Year Is Greater Than 0"},
        {kYear, op::kLess, VK::OtherField, "6", "MUS:Length", 4, 6, "Year Is Less Than Length"},
        {kFavourite, op::kEqual, VK::Constant, "on", "1", 11, 0, "Favourite Is Checked"},
        {kFavourite, op::kEqual, VK::Constant, "off", "0", 12, 0, "Favourite Is NOT Checked"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.display);
        add(c.field, c.opcode, c.kind, c.entered);
        ASSERT_EQ(flow.page(), WizardPage::Query);
        const QueryElement& e = flow.elements().at(*flow.selected());
        EXPECT_EQ(e.value, c.value);
        EXPECT_EQ(e.opcode, c.opcodeStored);
        EXPECT_EQ(e.compareIndex, c.compareIndex);
        EXPECT_EQ(e.isExpression, c.kind == VK::Expression);
        EXPECT_EQ(e.display, c.display);
        flow.join("AND");
    }
    EXPECT_EQ(flow.elements().size(), std::size(cases));
}

TEST_F(WizardFlowTest, CancelGivesUpTheConditionOrCloses) {
    EXPECT_TRUE(flow.cancel());  // nothing designed yet
    add(kYear, op::kEqual, VK::Constant, "1");
    flow.join("OR");
    EXPECT_EQ(flow.elements().at(0).conjunction, "OR");
    flow.edit().field = kTitle;
    flow.next();
    EXPECT_FALSE(flow.cancel());
    EXPECT_EQ(flow.page(), WizardPage::Query);
    EXPECT_EQ(flow.elements().at(0).conjunction, "");
    flow.manual();
    EXPECT_EQ(flow.manualText(), "MUS:Year = 1");
    EXPECT_FALSE(flow.manualVisible());
    EXPECT_TRUE(flow.finishIsManual());
    EXPECT_FALSE(flow.cancel());
    EXPECT_TRUE(flow.manualVisible());
    EXPECT_TRUE(flow.cancel());  // on the condition list

    WizardFlow restricted(fields, texts, true);
    restricted.startElements({condition(kYear, op::kEqual, "1")});
    EXPECT_FALSE(restricted.manualVisible());
    restricted.manual();
    restricted.cancel();
    EXPECT_FALSE(restricted.manualVisible());
}

TEST_F(WizardFlowTest, ChangeAndDeleteOnTheConditionList) {
    add(kYear, op::kEqual, VK::Constant, "1");
    flow.join("AND");
    add(kRating, op::kEqual, VK::Constant, "3");
    flow.select(0);
    flow.setClickOnConjunction(true);
    flow.change();
    EXPECT_EQ(flow.elements().at(0).conjunction, "OR");
    flow.remove();  // a click on the joining word deletes nothing
    EXPECT_EQ(flow.elements().size(), 2u);

    flow.setClickOnConjunction(false);
    flow.select(1);
    flow.change();
    EXPECT_EQ(flow.page(), WizardPage::Field);
    EXPECT_EQ(flow.edit().field, kRating);
    flow.next();
    flow.next();
    EXPECT_EQ(flow.choiceRow(), 2u);  // "3" among 1|2|3|4|5
    flow.edit().choice = "5";
    flow.next();
    EXPECT_EQ(flow.elements().size(), 2u);
    EXPECT_EQ(flow.elements().at(1).value, "5");
    EXPECT_EQ(flow.finishText(), "MUS:Year = 1 OR UPPER(ALB:Rating) = '5'");

    flow.remove();
    EXPECT_EQ(flow.finishText(), "MUS:Year = 1");
    flow.remove();
    EXPECT_EQ(flow.page(), WizardPage::Field);
    EXPECT_TRUE(flow.elements().empty());
}

TEST_F(WizardFlowTest, LookupFillsTheValueWhenItGivesOne) {
    SongRecord song;
    song.Year = 1999;
    cdz::Bindings bindings;
    bindSong(bindings, song);
    flow.edit().field = kArtist;
    flow.edit().typed = "typed";
    flow.lookup(nullptr);
    EXPECT_EQ(flow.edit().typed, "typed");
    flow.lookup(&bindings);
    EXPECT_EQ(flow.edit().typed, "Lookup 1999");
    fields[kArtist - 1].Lookup = "''";
    flow.lookup(&bindings);
    EXPECT_EQ(flow.edit().typed, "Lookup 1999");
}

}  // namespace
}  // namespace qk::test
