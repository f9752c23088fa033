// The field description string: values, separators, the two parse errors and the queue freed.
#include "querykit/qwizard/FieldDescriptions.h"

#include <string>

#include <gtest/gtest.h>

#include "querykit/querykit.h"

namespace qk {
namespace {

// One field: nine values, each followed by ¦, then «.
std::string field(std::initializer_list<std::string> values) {
    std::string s;
    for (const auto& v : values) s += v + "\xC2\xA6";
    return s + "\xC2\xAB";
}

const std::string kArtist = field({"Artist", "0", "ALB:Artist", "@s40", "40", "1", "1", "", ""});

TEST(FieldDescriptions, ReadsEveryValueIntoItsField) {
    XRQW_FieldsQueue q;
    int32_t error = 0;
    XR_ADDFIELDSQUEUEDATA(q, error,
                          kArtist + field({"Media", "1", "ALB:Media", "@s20", "20", "1", "3",
                                           "LOOK()", "CD|LP|..."}));
    ASSERT_EQ(error, 0);
    ASSERT_EQ(q.size(), 2u);
    const XRQW_FieldEntry& a = q[0];
    EXPECT_EQ(a.Label, "Artist");
    EXPECT_EQ(a.KeyByLabel, 0);
    EXPECT_EQ(a.Source, "ALB:Artist");
    EXPECT_EQ(a.Picture, "@s40");
    EXPECT_EQ(a.Size, 40);
    EXPECT_EQ(a.DataKind, 1);
    EXPECT_EQ(a.EntryKind, 1);
    EXPECT_EQ(a.Lookup, "");
    EXPECT_EQ(a.Choices, "");
    EXPECT_EQ(a.SortOrder, 0);
    EXPECT_EQ(a.FieldPointer, 0);
    EXPECT_EQ(q[1].KeyByLabel, 1);
    EXPECT_EQ(q[1].EntryKind, 3);
    EXPECT_EQ(q[1].Lookup, "LOOK()");
    EXPECT_EQ(q[1].Choices, "CD|LP|...");
    EXPECT_EQ(q.buffer.Label, "Media");  // the buffer holds the entry last added
}

TEST(FieldDescriptions, ConsecutiveSeparatorsLeaveTheFieldCleared) {
    XRQW_FieldsQueue q;
    int32_t error = 0;
    XR_ADDFIELDSQUEUEDATA(q, error, field({"Year", "0", "ALB:Year", "@n4", "", "2", "1", "", ""}));
    ASSERT_EQ(error, 0);
    EXPECT_EQ(q[0].Size, 0);
    EXPECT_EQ(q[0].Lookup, "");
}

struct NumberCase {
    const char* text;
    int size;      // read into the SHORT Size
    int dataKind;  // read into the BYTE DataKind
};

class NumberValues : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberValues, ReadAsTheRuntimeDoesWithinTheFieldsRange) {
    const NumberCase c = GetParam();
    XRQW_FieldsQueue q;
    int32_t error = 0;
    XR_ADDFIELDSQUEUEDATA(q, error, field({"L", "0", "S", "", c.text, c.text, "1", "", ""}));
    ASSERT_EQ(error, 0);
    EXPECT_EQ(q[0].Size, c.size);
    EXPECT_EQ(q[0].DataKind, c.dataKind);
}

INSTANTIATE_TEST_SUITE_P(Table, NumberValues,
                         ::testing::Values(NumberCase{"12", 12, 12}, NumberCase{"  7", 7, 7},
                                           NumberCase{"3x", 3, 3}, NumberCase{"abc", 0, 0},
                                           NumberCase{"-5", -5, 0}, NumberCase{"300", 300, 255},
                                           NumberCase{"99999999999999999999", 32767, 255}));

TEST(FieldDescriptions, TextsAreCutToTheirWidth) {
    XRQW_FieldsQueue q;
    int32_t error = 0;
    XR_ADDFIELDSQUEUEDATA(
        q, error,
        field({std::string(50, 'L'), "0", "S", std::string(30, 'p'), "1", "1", "1", "", ""}));
    ASSERT_EQ(error, 0);
    EXPECT_EQ(q[0].Label.str(), std::string(40, 'L'));
    EXPECT_EQ(q[0].Picture.str(), std::string(20, 'p'));
}

struct ErrorCase {
    std::string description;
    int32_t error;
};

class ParseErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ParseErrors, SetTheCodeAndFreeTheQueue) {
    const ErrorCase& c = GetParam();
    XRQW_FieldsQueue q;
    q.add(XRQW_FieldEntry{});  // what the host had before is freed too
    int32_t error = 0;
    XR_ADDFIELDSQUEUEDATA(q, error, kArtist + c.description);
    EXPECT_EQ(error, c.error);
    EXPECT_TRUE(q.empty());
    EXPECT_EQ(q.buffer.Label, "");
}

const std::string kSep = "\xC2\xA6";
const std::string kEnd = "\xC2\xAB";

INSTANTIATE_TEST_SUITE_P(
    Table, ParseErrors,
    ::testing::Values(ErrorCase{"Title" + kSep, -2},                    // no final «
                      ErrorCase{kEnd + "x", -2},                        // text after the last «
                      ErrorCase{"a" + kSep + "b" + kSep + kEnd, -1},    // ends before its ninth
                      ErrorCase{"1¦2¦3¦4¦5¦6¦7¦8¦" + kEnd, -1},         // eight values
                      ErrorCase{"1¦2¦3¦4¦5¦6¦7¦8¦9¦10¦" + kEnd, -1},    // ten values
                      ErrorCase{"1¦2¦3¦4¦5¦6¦7¦8¦9¦extra" + kEnd, -1},  // text after the ninth
                      ErrorCase{kEnd, -1}));                            // an empty field

TEST(FieldDescriptions, EmptyStringIsNotEnded) {
    XRQW_FieldsQueue q;
    int32_t error = 0;
    XR_ADDFIELDSQUEUEDATA(q, error, "");
    EXPECT_EQ(error, -2);
}

TEST(FieldDescriptions, AnErrorAlreadySetMakesItDoNothing) {
    XRQW_FieldsQueue q;
    q.add(XRQW_FieldEntry{});
    int32_t error = 7;
    XR_ADDFIELDSQUEUEDATA(q, error, kArtist);
    EXPECT_EQ(error, 7);
    EXPECT_EQ(q.size(), 1u);
}

TEST(FieldDescriptions, TrailingBlanksAfterTheEndAreIgnored) {
    XRQW_FieldsQueue q;
    int32_t error = 0;
    XR_ADDFIELDSQUEUEDATA(q, error, kArtist + "   ");
    EXPECT_EQ(error, 0);
    EXPECT_EQ(q.size(), 1u);
}

}  // namespace
}  // namespace qk
