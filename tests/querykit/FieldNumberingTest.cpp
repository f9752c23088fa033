// Numbering a fields queue against the numbers the store keeps for its class.
#include "querykit/qwizard/FieldNumbering.h"

#include <gtest/gtest.h>

namespace qk {
namespace {

XRQW_FieldEntry entry(const char* label, const char* source = "", uint8_t byLabel = 1) {
    XRQW_FieldEntry e;
    e.Label = label;
    e.Source = source;
    e.KeyByLabel = byLabel;
    return e;
}

std::vector<int> pointers(const std::vector<XRQW_FieldEntry>& entries) {
    std::vector<int> out;
    for (const auto& e : entries) out.push_back(e.FieldPointer);
    return out;
}

StoredFields stored(std::initializer_list<std::pair<const char*, int32_t>> byLabel) {
    StoredFields out;
    for (auto [label, n] : byLabel) out.emplace_back(FieldKey{1, label}, n);
    return out;
}

TEST(FieldNumbering, SortOrderFollowsUpperCasedLabels) {
    std::vector<XRQW_FieldEntry> q{entry("banana"), entry("Apple"), entry("éclair"), entry("apple"),
                                   entry("Cherry")};
    FieldNumbering::assignSortOrder(q);
    std::vector<int> order;
    for (const auto& e : q) order.push_back(e.SortOrder);
    // Equal labels keep their queue order; É sorts after the ASCII letters.
    EXPECT_EQ(order, (std::vector<int>{3, 1, 5, 2, 4}));
}

TEST(FieldNumbering, NewFieldsFillTheGapsFirst) {
    std::vector<XRQW_FieldEntry> q{entry("A"), entry("New1"), entry("B"), entry("D"),
                                   entry("New2")};
    const Numbering n = FieldNumbering::assignPointers(q, stored({{"A", 1}, {"B", 2}, {"D", 4}}));
    EXPECT_EQ(pointers(q), (std::vector<int>{1, 3, 2, 4, 5}));
    EXPECT_TRUE(n.changed);
    EXPECT_TRUE(n.removed.empty());
}

TEST(FieldNumbering, RemovedNumbersAreReportedAndMayBeReused) {
    std::vector<XRQW_FieldEntry> q{entry("A"), entry("C"), entry("New")};
    const Numbering n =
        FieldNumbering::assignPointers(q, stored({{"A", 1}, {"B", 2}, {"C", 3}, {"Z", 7}}));
    EXPECT_EQ(n.removed, (std::vector<int32_t>{2, 7}));
    EXPECT_EQ(pointers(q), (std::vector<int>{1, 3, 2}));
}

TEST(FieldNumbering, UnchangedListNeedsNoUpdate) {
    std::vector<XRQW_FieldEntry> q{entry("B"), entry("A")};
    const Numbering n = FieldNumbering::assignPointers(q, stored({{"A", 5}, {"B", 9}}));
    EXPECT_FALSE(n.changed);
    EXPECT_EQ(pointers(q), (std::vector<int>{9, 5}));
}

TEST(FieldNumbering, IdentityIsTheUpperCasedLabelOrSource) {
    const FieldKey byLabel = FieldNumbering::keyOf(entry("Straße", "x:y", 1));
    const FieldKey bySource = FieldNumbering::keyOf(entry("Label", "alb:Artist", 0));
    EXPECT_EQ(byLabel, (FieldKey{1, "STRASSE"}));
    EXPECT_EQ(bySource, (FieldKey{0, "ALB:ARTIST"}));

    // A source of the same text is another field than a label.
    std::vector<XRQW_FieldEntry> q{entry("ignored", "artist", 0)};
    const Numbering n = FieldNumbering::assignPointers(q, stored({{"ARTIST", 1}}));
    EXPECT_EQ(n.removed, (std::vector<int32_t>{1}));
    EXPECT_TRUE(n.changed);
}

TEST(FieldNumbering, OddStoredNumbersCountAsNone) {
    // Two entries of one field share its number; a stored 0 and a number held by an earlier
    // field give new numbers.
    std::vector<XRQW_FieldEntry> q{entry("A"),    entry("a"),     entry("Zero"),
                                   entry("Twin"), entry("Fresh"), entry("FRESH")};
    FieldNumbering::assignPointers(q, stored({{"A", 1}, {"ZERO", 0}, {"TWIN", 1}}));
    EXPECT_EQ(pointers(q), (std::vector<int>{1, 1, 2, 3, 4, 4}));
}

}  // namespace
}  // namespace qk
