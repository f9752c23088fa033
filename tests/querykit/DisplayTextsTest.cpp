#include "querykit/qwizard/DisplayTexts.h"

#include <string>

#include <gtest/gtest.h>

#include "app/shell/startup/QueryWizardTexts.h"
#include "querykit/querykit.h"
#include "querykit/qwizard/LibraryState.h"
#include "runtime/text/Text.h"

namespace {

using qk::DisplayTexts;

TEST(DisplayTexts, BlankUntilSet) {
    DisplayTexts texts;
    EXPECT_EQ(texts.text(1), "");
    EXPECT_EQ(texts.text(163), "");
    EXPECT_EQ(texts.fontSize(72), 0);
    EXPECT_EQ(texts.besideText(161), "");
}

struct WidthCase {
    int number;
    int width;  // 0: not a slot, ignored
};

class SlotWidth : public ::testing::TestWithParam<WidthCase> {};

TEST_P(SlotWidth, CutsToItsWidthOrIgnores) {
    const WidthCase c = GetParam();
    DisplayTexts texts;
    const std::string longText(400, 'x');
    texts.set(c.number, longText);
    EXPECT_EQ(static_cast<int>(texts.text(c.number).size()), c.width) << "slot " << c.number;
}

INSTANTIATE_TEST_SUITE_P(
    Table, SlotWidth,
    ::testing::Values(
        WidthCase{1, 30}, WidthCase{12, 30}, WidthCase{31, 40}, WidthCase{32, 150},
        WidthCase{33, 40}, WidthCase{34, 200}, WidthCase{36, 70}, WidthCase{38, 350},
        WidthCase{40, 150}, WidthCase{42, 70}, WidthCase{71, 60}, WidthCase{79, 60},
        WidthCase{100, 60}, WidthCase{101, 60}, WidthCase{102, 35}, WidthCase{103, 15},
        WidthCase{125, 60}, WidthCase{127, 15}, WidthCase{151, 26}, WidthCase{153, 26},
        WidthCase{154, 30}, WidthCase{156, 70}, WidthCase{157, 50}, WidthCase{159, 40},
        WidthCase{160, 30}, WidthCase{161, 70}, WidthCase{163, 60}, WidthCase{165, 30},
        WidthCase{166, 50}, WidthCase{167, 40}, WidthCase{168, 70}, WidthCase{170, 120},
        WidthCase{171, 30}, WidthCase{200, 60}, WidthCase{202, 60}, WidthCase{203, 50},
        WidthCase{204, 25}, WidthCase{205, 15}, WidthCase{217, 15}, WidthCase{220, 40},
        WidthCase{221, 250}, WidthCase{231, 120}, WidthCase{235, 40}, WidthCase{236, 30},
        WidthCase{237, 50}, WidthCase{242, 15}, WidthCase{300, 70}, WidthCase{303, 60},
        // accepted and ignored
        WidthCase{0, 0}, WidthCase{-5, 0}, WidthCase{13, 0}, WidthCase{43, 0}, WidthCase{128, 0},
        WidthCase{218, 0}, WidthCase{219, 0}, WidthCase{230, 0}, WidthCase{243, 0},
        WidthCase{244, 0}, WidthCase{304, 0}, WidthCase{100000, 0}));

TEST(DisplayTexts, CutsWholeCharacters) {
    DisplayTexts texts;
    // 31 characters of two bytes each: the slot keeps 30 whole characters.
    std::string text;
    for (int i = 0; i < 31; ++i) text += "\xC3\xA9";
    texts.set(1, text);
    EXPECT_EQ(texts.text(1).size(), 60u);
    EXPECT_EQ(cdz::charCount(texts.text(1)), 30);
}

TEST(DisplayTexts, FontSizeSlotsHoldNumbers) {
    DisplayTexts texts;
    texts.set(72, "10");
    texts.set(74, " 12");
    texts.set(76, "big");
    texts.set(80, "");
    EXPECT_EQ(texts.fontSize(72), 10);
    EXPECT_EQ(texts.fontSize(74), 12);
    EXPECT_EQ(texts.fontSize(76), 0);
    EXPECT_EQ(texts.fontSize(80), 0);
    EXPECT_EQ(texts.text(72), "");  // a size is not a text
}

TEST(DisplayTexts, OptionBoxTextsSplitAtTheFirstBar) {
    DisplayTexts texts;
    texts.set(161, "Compare Using Absolute Values");
    texts.set(162, "Case Sensitive|matching on|every field");
    EXPECT_EQ(texts.text(161), "Compare Using Absolute Values");
    EXPECT_EQ(texts.besideText(161), "");
    EXPECT_EQ(texts.text(162), "Case Sensitive");
    EXPECT_EQ(texts.besideText(162), "matching on|every field");

    texts.set(161, std::string(80, 'a') + "|" + std::string(50, 'b'));
    EXPECT_EQ(texts.text(161), std::string(70, 'a'));
    EXPECT_EQ(texts.besideText(161), std::string(40, 'b'));
}

TEST(DisplayTexts, ResettingReplacesTheSlot) {
    DisplayTexts texts;
    texts.set(163, "(New Query)");
    texts.set(163, "");
    EXPECT_EQ(texts.text(163), "");
}

// The program's start-up texts reach the library through its export.
TEST(QueryWizardTexts, ProgramFillsTheLibrarySlots) {
    cdz::setQueryWizardTexts();
    const DisplayTexts& texts = qk::libraryState().displayTexts;
    EXPECT_EQ(texts.text(1), "Is Equal To");
    EXPECT_EQ(texts.text(12), "Is NOT Checked");
    EXPECT_EQ(texts.text(34),
              "The query you have designed is invalid.|Please review your query and correct the "
              "problem.");
    EXPECT_EQ(texts.text(301), "Converting Data File Structure  -- Please Wait...");
    EXPECT_EQ(texts.text(106), "< &Back");
    EXPECT_EQ(texts.text(124), "&Next >");
    EXPECT_EQ(texts.text(217), "&Select");
    EXPECT_EQ(texts.text(242), "OK");
    EXPECT_EQ(texts.text(302), "All Records");
    EXPECT_EQ(texts.fontSize(72), 10);
    EXPECT_EQ(texts.fontSize(76), 8);
    EXPECT_EQ(texts.fontSize(80), 12);
    EXPECT_EQ(texts.text(162), "Compare Using Case Sensitive Matching");
    EXPECT_EQ(texts.text(218), "");
}

}  // namespace
