// Compiling against bindings and evaluating: comparison rules, arithmetic, the kinds of bound
// values, and records that change between evaluations.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "TestCatalogue.h"
#include "runtime/expr/ExprProgram.h"
#include "runtime/expr/Expression.h"
#include "runtime/text/Unicode.h"

namespace cdz {
namespace {

std::string run(std::string_view text, const Bindings& bindings = {}) {
    Expression e;
    if (!e.compile(text, bindings)) return "error: " + e.error().message;
    const ExprValue v = e.evaluate();
    return v.isString() ? "[" + v.text + "]" : v.toText();
}

struct Case {
    const char* text;
    const char* result;
};

TEST(Expression, StringAndNumberComparisons) {
    const Case cases[] = {
        // Two strings: text order, trailing blanks ignored, case and leading blanks count.
        {"'abc' = 'abc   '", "1"},
        {"'abc' = ' abc'", "0"},
        {"'abc' = 'ABC'", "0"},
        {"'abc' < 'abd'", "1"},
        {"'ab' < 'abc'", "1"},
        {"'B' < 'a'", "1"},
        {"'10' < '9'", "1"},
        {"'' = '   '", "1"},
        {"'é' > 'z'", "1"},
        {"'É' < 'é'", "1"},
        // A number on either side: both compare as numbers.
        {"'10' < 9", "0"},
        {"10 > '9'", "1"},
        {"' 5 ' = 5", "1"},
        {"'5.0' = 5", "1"},
        {"'abc' = 0", "1"},
        {"'' = 0", "1"},
        {"'12abc' = 12", "0"},
        {"1 = 1.0", "1"},
        // Fractions compare as their decimal texts; whole numbers exactly.
        {"0.1 + 0.2 = 0.3", "1"},
        {"0.1 + 0.2 > 0.3", "0"},
        {"0.3 < 0.1 + 0.2", "0"},
        {"0.3 < 0.30000000001", "1"},
        {"1000000000000001 = 1000000000000000", "0"},
        {"1000000000000001 > 1000000000000000", "1"},
        {"-1 < 0", "1"},
        // Every operator spelling.
        {"1 <> 2", "1"},
        {"1 ~= 1", "0"},
        {"2 >= 2", "1"},
        {"2 => 3", "0"},
        {"2 <= 2", "1"},
        {"3 =< 2", "0"},
        {"1 < 2 = 1", "1"},
    };
    for (const Case& c : cases) EXPECT_EQ(run(c.text), c.result) << c.text;
}

TEST(Expression, ArithmeticConcatenationAndLogic) {
    const Case cases[] = {
        {"1 + 2 * 3", "7"},
        {"(1 + 2) * 3", "9"},
        {"10 - 4 - 3", "3"},
        {"7 / 2", "3.5"},
        {"7 % 3", "1"},
        {"-7 % 3", "-1"},
        {"7.5 % 2", "1.5"},
        {"-(2 + 3)", "-5"},
        {"- -4", "4"},
        {"+'12'", "12"},
        {"'3' + '4'", "7"},
        {"'x' + 1", "1"},
        {"'3' & '4'", "[34]"},
        {"1 + 2 & 3", "[33]"},
        {"'a' & 2.5 & 'b'", "[a2.5b]"},
        {"'it''s' & ''''", "[it's']"},
        {"'a  ' & 'b'", "[a  b]"},
        // Division and remainder by zero give 0 rather than failing.
        {"5 / 0", "0"},
        {"5 % 0", "0"},
        {"5 / 'x'", "0"},
        {"0 / 0", "0"},
        // So does an overflow: infinities never come out.
        {"99999999999999999999 * 99999999999999999999 * 99999999999999999999 * "
         "99999999999999999999 * 99999999999999999999 * 99999999999999999999 * "
         "99999999999999999999 * 99999999999999999999 * 99999999999999999999 * "
         "99999999999999999999 * 99999999999999999999 * 99999999999999999999 * "
         "99999999999999999999 * 99999999999999999999 * 99999999999999999999 * "
         "99999999999999999999",
         "0"},
        // Truth: numbers other than 0, strings that are not blank; logic gives 1 or 0.
        {"1 AND 'x'", "1"},
        {"1 AND '  '", "0"},
        {"0 OR ''", "0"},
        {"0 OR -0.5", "1"},
        {"NOT ''", "1"},
        {"NOT 'a'", "0"},
        {"NOT 0", "1"},
        {"~5", "0"},
        {"1 XOR 1", "0"},
        {"1 XOR 0", "1"},
        {"'' XOR 'a'", "1"},
        {"NOT 1 = 2", "1"},
        {"0 AND 1 OR 1", "1"},
    };
    for (const Case& c : cases) EXPECT_EQ(run(c.text), c.result) << c.text;
}

TEST(Expression, ReadsTheRecordAsItIsAtEachEvaluation) {
    test::TestCatalogue cat;
    Expression e;
    ASSERT_TRUE(e.compile("UPPER(MUS:Title) = 'X' AND MUS:CategoryID = 4", cat.bindings()));
    const struct {
        const char* title;
        int32_t category;
        bool passes;
    } records[] = {
        {"x", 4, true}, {"y", 4, false}, {"X  ", 4, true}, {"X", 5, false}, {"x", 4, true},
    };
    for (const auto& r : records) {
        cat.musTitle = r.title;
        cat.musCategoryId = r.category;
        EXPECT_EQ(e.test(), r.passes) << r.title << " " << r.category;
    }
    // A longer text after a shorter one and back: results never keep stale text.
    Expression up;
    ASSERT_TRUE(up.compile("UPPER(MUS:Title) & '|'", cat.bindings()));
    for (const char* title : {"a much longer title here", "ab", "", "ñandú"}) {
        cat.musTitle = title;
        EXPECT_EQ(up.evaluate().text, toUpper(title) + "|") << title;
    }
}

TEST(Expression, EveryKindOfBinding) {
    Text<10> text("Abc");
    std::string memo = "memo text";
    uint8_t byte = 200;
    int16_t shortValue = -300;
    int32_t longValue = -70000;
    int64_t bigValue = 5000000000;
    double real = 2.25;
    Decimal<7, 2> price(12.34);
    int calls = 0;
    Bindings b;
    b.bind("T", &text);
    b.bind("M", &memo);
    b.bind("B", &byte);
    b.bind("S", &shortValue);
    b.bind("L", &longValue);
    b.bind("I", &bigValue);
    b.bind("R", &real);
    b.bindDecimal("D", price.rawPtr(), price.spec);
    b.bindGetter("G", [&calls] { return ExprValue::ofNumber(++calls); });
    b.bindGetter("GS", [] { return ExprValue::ofString("got"); });

    const Case cases[] = {
        {"T", "[Abc]"},      {"M", "[memo text]"},   {"B", "200"},
        {"S", "-300"},       {"L", "-70000"},        {"I", "5000000000"},
        {"R", "2.25"},       {"D", "12.34"},         {"D = 12.34", "1"},
        {"D * 100", "1234"}, {"GS & T", "[gotAbc]"}, {"t & m", "[Abcmemo text]"},
    };
    for (const Case& c : cases) EXPECT_EQ(run(c.text, b), c.result) << c.text;

    // Pointers are read when evaluating, getters called each time.
    Expression e;
    ASSERT_TRUE(e.compile("L + B + D + G", b));
    calls = 0;
    EXPECT_EQ(e.evaluate().number, -70000 + 200 + 12.34 + 1);
    longValue = 1;
    byte = 2;
    price = 3.5;
    EXPECT_EQ(e.evaluate().number, 1 + 2 + 3.5 + 2);
}

TEST(Expression, AndOrSkipTheSideThatCannotMatter) {
    int calls = 0;
    Bindings b;
    b.bindGetter("COUNTED", [&calls] {
        ++calls;
        return ExprValue::ofNumber(1);
    });
    const struct {
        const char* text;
        int calls;
    } cases[] = {
        {"0 AND COUNTED", 0}, {"1 AND COUNTED", 1}, {"1 OR COUNTED", 0},
        {"0 OR COUNTED", 1},  {"1 XOR COUNTED", 1},
    };
    for (const auto& c : cases) {
        calls = 0;
        Expression e;
        ASSERT_TRUE(e.compile(c.text, b));
        e.test();
        EXPECT_EQ(calls, c.calls) << c.text;
    }
}

TEST(Expression, UnknownNamesAreCompileErrors) {
    test::TestCatalogue cat;
    const struct {
        const char* text;
        int position;
        const char* message;
    } cases[] = {
        {"MUS:Titel = 'x'", 1, "unknown name 'MUS:Titel'"},
        {"UPPER(MUS:Title) = UPPER(BRW1::Sort3:Reset:MED:Medium)", 26,
         "unknown name 'BRW1::Sort3:Reset:MED:Medium'"},
        {"'ééé' = X", 9, "unknown name 'X'"},
    };
    for (const auto& c : cases) {
        Expression e;
        EXPECT_FALSE(e.compile(c.text, cat.bindings())) << c.text;
        EXPECT_FALSE(e.ok());
        EXPECT_EQ(e.error().position, c.position) << c.text;
        EXPECT_EQ(e.error().message, c.message) << c.text;
        EXPECT_EQ(e.tree(), nullptr);
        EXPECT_FALSE(e.test());
        EXPECT_EQ(e.evaluate().number, 0);
        const ExprError checked = Expression::check(c.text, cat.bindings());
        EXPECT_EQ(checked.position, c.position);
    }
    // Names ignore case.
    EXPECT_TRUE(Expression::check("mus:title = ''", cat.bindings()).message.empty());
}

TEST(Expression, BindingsAreResolvedAtCompileTime) {
    int32_t first = 1;
    int32_t second = 2;
    Bindings b;
    b.bind("V", &first);
    Expression e;
    ASSERT_TRUE(e.compile("V", b));
    b.bind("v", &second);  // replaces V for later compiles only
    EXPECT_EQ(e.evaluate().number, 1);
    Expression later;
    ASSERT_TRUE(later.compile("V", b));
    EXPECT_EQ(later.evaluate().number, 2);
    b.unbind("V");
    EXPECT_FALSE(later.compile("V", b));
    b.bind("V", static_cast<const int32_t*>(nullptr));
    EXPECT_EQ(b.find("V"), nullptr);
    EXPECT_EQ(b.size(), 0u);
}

TEST(Expression, RecompileAndMoveKeepWorking) {
    test::TestCatalogue cat;
    cat.musTitle = "abc";
    Expression e;
    ASSERT_TRUE(e.compile("MUS:Title = 'abc'", cat.bindings()));
    EXPECT_TRUE(e.test());
    EXPECT_FALSE(e.compile("MUS:Title = ", cat.bindings()));
    EXPECT_FALSE(e.test());
    EXPECT_EQ(e.text(), "MUS:Title = ");
    ASSERT_TRUE(e.compile("SUB(MUS:Title,2,2) & '!'", cat.bindings()));
    ASSERT_NE(e.tree(), nullptr);
    EXPECT_EQ(describeExpr(*e.tree()), "(& (SUB MUS:Title 2 2) '!')");
    Expression moved = std::move(e);
    EXPECT_EQ(moved.evaluate().text, "bc!");
    EXPECT_TRUE(moved.error().message.empty());
}

TEST(Expression, LongWideTextsEvaluate) {
    // The longest filter the wizard writes is 1024 characters; a bound memo may hold 2000.
    test::TestCatalogue cat;
    std::string text;
    for (int i = 0; i < 40; ++i) {
        if (i) text += " OR ";
        text += "INSTRING('W" + std::to_string(i) + "',UPPER(MUS:Notes),1,1)";
    }
    Expression e;
    ASSERT_TRUE(e.compile(text, cat.bindings())) << e.error().message;
    cat.musNotes = std::string(1990, 'n') + "x39";
    EXPECT_FALSE(e.test());
    cat.musNotes = std::string(1990, 'n') + "w39";
    EXPECT_TRUE(e.test());
}

TEST(Expression, TextAnExpressionMakesIsBounded) {
    // Padding multiplied through a balanced tree of concatenations would need gigabytes.
    std::function<std::string(int)> tree = [&tree](int leaves) -> std::string {
        if (leaves == 1) return "LEFT('',65535)";
        return "(" + tree(leaves / 2) + " & " + tree(leaves / 2) + ")";
    };
    Expression big;
    ASSERT_TRUE(big.compile("LEN(" + tree(1024) + ")", Bindings{})) << big.error().message;
    EXPECT_LE(big.evaluate().number, static_cast<double>(kExprTextBudget));
    // Far below the budget nothing is cut.
    EXPECT_EQ(run("LEN(" + tree(8) + ")"), std::to_string(8 * 65535));
}

TEST(Expression, CutsFallBetweenCharacters) {
    const struct {
        const char* text;
        size_t limit;
        size_t cut;
    } cases[] = {
        {"abc", 2, 2},  {"abc", 3, 3},  {"abc", 9, 3}, {"aé", 2, 1},  {"aé", 3, 3},  {"日本", 4, 3},
        {"日本", 5, 3}, {"日本", 2, 0}, {"éé", 0, 0},  {"a😀b", 4, 1}, {"a😀b", 5, 5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(exprCutPoint(c.text, c.limit), c.cut) << c.text << " " << c.limit;
}

}  // namespace
}  // namespace cdz
