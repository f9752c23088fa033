// A store written by an older version: its elements table is converted on first use.
#include "querykit/qwizard/ElementsConversion.h"

#include "tests/querykit/StoreFixture.h"

namespace qk::test {
namespace {

namespace err = cdz::err;

class ConversionTest : public StoreFixture {
protected:
    std::string table(const char* name) const {
        return (dir.path() / "QUERIES.TPS").string() + "\\!" + name;
    }
};

// Operator names as older versions stored them, and the number each becomes.
const std::pair<const char*, int> kOperators[] = {
    {"Is Equal To", 1},
    {"Is NOT Equal To", 2},
    {"Is Greater Than", 3},
    {"Is Less Than", 4},
    {"Is Greater Than or Equal To", 5},
    {"Is Less Than or Equal To", 6},
    {"Begins With", 7},
    {"Contains", 8},
    {"Does NOT Begin With", 9},
    {"Does NOT Contain", 10},
    {"Is Checked", 11},
    {"Is Not Checked", 12},
    {"Is NOT Checked", 0},  // not the name older versions wrote
    {"is equal to", 0},
    {"Bogus", 0},
};

TEST_F(ConversionTest, OldElementsAreConvertedOnFirstUse) {
    {
        OldElementRec old;
        cdz::DataFile oldFile(store.database(), oldElementsDecl(), old);
        oldFile.setName(table("XRQW_Elements"));
        ASSERT_EQ(oldFile.create(), 0);
        ASSERT_EQ(oldFile.open(), 0);
        int i = 0;
        for (const auto& [name, opcode] : kOperators) {
            old = OldElementRec{};
            old.QueryNo = i % 2 ? 7 : 3;
            old.FieldPointer = i;
            old.CmpPointer = -i;
            old.Conjunction = i % 3 ? "AND" : "OR";
            old.Value = "value " + std::to_string(i);
            old.MatchType = static_cast<uint8_t>(i % 2);
            old.Expression = static_cast<uint8_t>(i % 5 == 0);
            old.Operator = name;
            ASSERT_EQ(oldFile.add(), 0);
            ++i;
        }
    }
    TableUse use(store, StoreTableId::Elements);
    ASSERT_TRUE(use);
    cdz::DataFile& elements = store.file(StoreTableId::Elements);
    ElementRec& e = store.element();
    ASSERT_EQ(elements.set(), 0);
    int i = 0;
    while (elements.next() == 0) {
        SCOPED_TRACE(kOperators[i].first);
        EXPECT_EQ(e.Opcode, kOperators[i].second);
        EXPECT_EQ(e.QueryNo, i % 2 ? 7 : 3);
        EXPECT_EQ(e.FieldPointer, i);
        EXPECT_EQ(e.CmpPointer, -i);
        EXPECT_EQ(e.Conjunction, i % 3 ? "AND" : "OR");
        EXPECT_EQ(e.Value, "value " + std::to_string(i));
        EXPECT_EQ(e.MatchType, i % 2);
        EXPECT_EQ(e.Expression, i % 5 == 0 ? 1 : 0);
        ++i;
    }
    EXPECT_EQ(i, static_cast<int>(std::size(kOperators)));
    EXPECT_EQ(elementsOf(7).size(), 7u);  // the key finds them, in the order they were
    EXPECT_TRUE(dialogs.shown().empty());

    ElementRec rec;
    cdz::DataFile leftover(store.database(), elementsDecl(), rec);
    leftover.setName(table("XRQW_ElementsTmp"));
    EXPECT_EQ(leftover.open(), err::kFileNotFound);
}

TEST_F(ConversionTest, FailedConversionLeavesTheOldTableAndReports) {
    FieldRec unknown;
    cdz::DataFile strange(store.database(), fieldsDecl(), unknown);
    strange.setName(table("XRQW_Elements"));
    ASSERT_EQ(strange.create(), 0);
    ASSERT_EQ(strange.open(), 0);
    unknown.FieldName = "kept";
    ASSERT_EQ(strange.add(), 0);
    ASSERT_EQ(strange.close(), 0);

    TableUse use(store, StoreTableId::Elements);
    EXPECT_FALSE(use);
    ASSERT_EQ(dialogs.shown().size(), 3u);  // the report, warning 1 and its halt
    EXPECT_EQ(dialogs.shown()[0].text,
              "Error Converting Elements File - Invalid Record Declaration");
    EXPECT_EQ(dialogs.shown()[1].title, "Invalid File");
    EXPECT_EQ(halts, (std::vector<std::string>{"Invalid File!"}));

    ASSERT_EQ(strange.open(), 0);
    EXPECT_EQ(strange.records(), 1);
    strange.close();
    ElementRec rec;
    cdz::DataFile leftover(store.database(), elementsDecl(), rec);
    leftover.setName(table("XRQW_ElementsTmp"));
    EXPECT_EQ(leftover.open(), err::kFileNotFound);
}

}  // namespace
}  // namespace qk::test
