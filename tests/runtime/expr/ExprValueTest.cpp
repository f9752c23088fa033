// Numbers as text and text as numbers: what '&', comparisons of a number with a string and the
// owning value hand out.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "runtime/expr/ExprValue.h"

namespace cdz {
namespace {

std::string format(double v) {
    char buf[kExprNumberTextMax];
    return std::string(buf, formatExprNumber(v, buf));
}

TEST(ExprValue, NumbersFormatAsPlainDecimalText) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {3, "3"},
        {-42, "-42"},
        {2.5, "2.5"},
        {-0.25, "-0.25"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {123456789012345, "123456789012345"},
        {1e20, "100000000000000000000"},
        {1e-7, "0.0000001"},
        {-1e-20, "-0.00000000000000000001"},
        {std::numeric_limits<double>::infinity(), "0"},
        {std::nan(""), "0"},
    };
    for (const auto& c : cases) EXPECT_EQ(format(c.value), c.text) << c.value;

    // The longest texts still fit the documented room.
    EXPECT_EQ(format(std::numeric_limits<double>::max()).size(), 309u);
    EXPECT_LT(format(-std::numeric_limits<double>::denorm_min()).size(), kExprNumberTextMax);
}

TEST(ExprValue, FormattedNumbersReadBack) {
    for (double v : {0.5, -17.0, 1e15, 123.456, -0.001, 1e-300, 1e300}) {
        const auto back = parseExprNumber(format(v));
        ASSERT_TRUE(back.has_value()) << v;
        EXPECT_NEAR(*back, v, std::fabs(v) * 1e-14) << v;
    }
}

TEST(ExprValue, TextReadsAsNumberOnlyWhenItIsOne) {
    const struct {
        const char* text;
        bool number;
        double value;
    } cases[] = {
        {"12", true, 12},  {"  -3.5  ", true, -3.5}, {"+4", true, 4},     {".5", true, 0.5},
        {"7.", true, 7},   {"0005", true, 5},        {"", false, 0},      {"   ", false, 0},
        {"-", false, 0},   {".", false, 0},          {"1.2.3", false, 0}, {"12abc", false, 0},
        {"1 2", false, 0}, {"1e5", false, 0},        {"--1", false, 0},   {"0x10", false, 0},
        {"inf", false, 0}, {"nan", false, 0},        {"A", false, 0},     {"\t1", false, 0},
    };
    for (const auto& c : cases) {
        const auto v = parseExprNumber(c.text);
        EXPECT_EQ(v.has_value(), c.number) << "'" << c.text << "'";
        if (v) {
            EXPECT_EQ(*v, c.value) << c.text;
        }
        EXPECT_EQ(ExprValue::ofString(c.text).toNumber(), c.value) << c.text;
    }
    EXPECT_FALSE(parseExprNumber("1" + std::string(400, '0')).has_value());
}

TEST(ExprValue, TruthAndConversions) {
    EXPECT_TRUE(ExprValue::ofNumber(-1).isTrue());
    EXPECT_TRUE(ExprValue::ofNumber(0.001).isTrue());
    EXPECT_FALSE(ExprValue::ofNumber(0).isTrue());
    EXPECT_TRUE(ExprValue::ofString("x").isTrue());
    EXPECT_TRUE(ExprValue::ofString("0").isTrue());
    EXPECT_TRUE(ExprValue::ofString("  x").isTrue());
    EXPECT_FALSE(ExprValue::ofString("").isTrue());
    EXPECT_FALSE(ExprValue::ofString("    ").isTrue());

    EXPECT_EQ(ExprValue::ofNumber(12.5).toText(), "12.5");
    EXPECT_EQ(ExprValue::ofString("abc").toText(), "abc");
    EXPECT_EQ(ExprValue::ofNumber(12.5).toNumber(), 12.5);
}

TEST(ExprValue, IntegerConversionsSaturate) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(exprToInt64(std::nan("")), 0);
    EXPECT_EQ(exprToInt64(inf), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(exprToInt64(-inf), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(exprToInt64(9.3e18), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(exprToInt64(-9223372036854775808.0), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(exprToInt64(-7.9), -7);
    EXPECT_EQ(exprToInt(3e9), std::numeric_limits<int>::max());
    EXPECT_EQ(exprToInt(-3e9), std::numeric_limits<int>::min());
    EXPECT_EQ(exprToInt(std::nan("")), 0);
    EXPECT_EQ(exprToInt(2.9), 2);
}

}  // namespace
}  // namespace cdz
