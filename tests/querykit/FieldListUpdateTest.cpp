// XR_INITFIELDSQUEUE against a store: numbers kept and given, removed fields invalidating the
// saved queries that use them, and the cases that must change nothing.
#include "querykit/qwizard/FieldListUpdate.h"

#include <map>

#include "tests/querykit/StoreFixture.h"

namespace qk::test {
namespace {

using Pointers = std::vector<std::pair<int32_t, int32_t>>;

class FieldListUpdateTest : public StoreFixture {
protected:
    // Runs the update for fields known by these labels; gives each label's number.
    std::map<std::string, int> init(const std::string& cls, std::vector<std::string> labels) {
        queue.free();
        for (const auto& l : labels) {
            XRQW_FieldEntry e;
            e.Label = l;
            e.KeyByLabel = 1;
            queue.add(e);
        }
        FieldListUpdate(store).run(queue, cls);
        std::map<std::string, int> out;
        for (const auto& e : queue) out[e.Label.str()] = e.FieldPointer;
        return out;
    }

    // The stored fields of a class: name -> number.
    std::map<std::string, int> stored(const std::string& cls) {
        TableUse use(store, StoreTableId::Fields);
        std::map<std::string, int> out;
        FieldRec& f = store.field();
        f = FieldRec{};
        f.ClassName = cls;
        store.file(StoreTableId::Fields).setAt(Keys::kFieldsByClassName);
        while (store.file(StoreTableId::Fields).next() == 0 && f.ClassName == cls) {
            out[f.FieldName.str()] = f.FieldPointer;
        }
        return out;
    }

    void storeField(const std::string& cls, const std::string& name, int16_t number) {
        TableUse use(store, StoreTableId::Fields);
        store.field() = FieldRec{};
        store.field().ClassName = cls;
        store.field().FieldType = 1;
        store.field().FieldName = name;
        store.field().FieldPointer = number;
        ASSERT_EQ(store.file(StoreTableId::Fields).add(), 0);
    }

    XRQW_FieldsQueue queue;
};

TEST_F(FieldListUpdateTest, StoredOneTwoFourAndTwoNewFieldsGiveThreeAndFive) {
    storeField("CLS", "ALBUM", 1);
    storeField("CLS", "ARTIST", 2);
    storeField("CLS", "YEAR", 4);
    const auto numbers = init("cls", {"Year", "Zone", "Artist", "Bpm", "Album"});
    EXPECT_EQ(numbers, (std::map<std::string, int>{
                           {"Album", 1}, {"Artist", 2}, {"Year", 4}, {"Zone", 3}, {"Bpm", 5}}));
    EXPECT_EQ(stored("CLS"),
              (std::map<std::string, int>{
                  {"ALBUM", 1}, {"ARTIST", 2}, {"YEAR", 4}, {"ZONE", 3}, {"BPM", 5}}));
    std::vector<std::string> order;
    for (const auto& e : queue) order.push_back(e.Label.str());
    EXPECT_EQ(order, (std::vector<std::string>{"Album", "Artist", "Bpm", "Year", "Zone"}));
    EXPECT_EQ(queue[0].SortOrder, 1);
    EXPECT_EQ(queue[4].SortOrder, 5);
}

TEST_F(FieldListUpdateTest, RemovedFieldInvalidatesEverySavedQueryThatUsesIt) {
    const auto first = init("CLS", {"A", "B", "C"});
    ASSERT_EQ(first.at("B"), 2);
    const int32_t usesB = saveQuery("CLS", "uses B", {{2, 0}, {3, 0}});
    const int32_t comparesB = saveQuery("CLS", "compares to B", {{1, 2}});
    const int32_t without = saveQuery("CLS", "without B", {{1, 3}});
    const int32_t otherClass = saveQuery("OTHER", "its own 2", {{2, 0}});

    const auto second = init("CLS", {"A", "C", "D"});
    EXPECT_EQ(second, (std::map<std::string, int>{{"A", 1}, {"C", 3}, {"D", 2}}));
    EXPECT_EQ(queryRecord(usesB).Invalid, 1);
    EXPECT_EQ(elementsOf(usesB), (Pointers{{-1, 0}, {3, 0}}));
    EXPECT_EQ(queryRecord(comparesB).Invalid, 1);
    EXPECT_EQ(elementsOf(comparesB), (Pointers{{1, -1}}));
    EXPECT_EQ(queryRecord(without).Invalid, 0);
    EXPECT_EQ(elementsOf(without), (Pointers{{1, 3}}));
    EXPECT_EQ(queryRecord(otherClass).Invalid, 0);
    EXPECT_EQ(elementsOf(otherClass), (Pointers{{2, 0}}));
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(FieldListUpdateTest, EmptyQueueChangesNothing) {
    init("CLS", {"A", "B"});
    const int32_t q = saveQuery("CLS", "q", {{1, 2}});
    init("CLS", {});
    EXPECT_EQ(stored("CLS"), (std::map<std::string, int>{{"A", 1}, {"B", 2}}));
    EXPECT_EQ(queryRecord(q).Invalid, 0);
    EXPECT_EQ(elementsOf(q), (Pointers{{1, 2}}));
}

TEST_F(FieldListUpdateTest, TooManyFieldsIsADesignError) {
    queue.entries.resize(FieldListUpdate::kMaxFields + 1);
    FieldListUpdate(store).run(queue, "CLS");
    EXPECT_TRUE(queue.empty());
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].title, "Application Design Error");
    EXPECT_EQ(dialogs.shown()[0].text,
              "Error in Query Wizard XR_InitFieldsQueue Function|Too Many Fields Declared in the "
              "Queue");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "QUERIES.TPS"));
}

}  // namespace
}  // namespace qk::test
