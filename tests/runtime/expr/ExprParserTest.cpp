// The shape of parsed texts (precedence, associativity, literals) and the errors of texts that
// do not parse.
#include <gtest/gtest.h>

#include <string>

#include "runtime/expr/ExprParser.h"

namespace cdz {
namespace {

std::string shape(std::string_view text) {
    const ExprParseResult r = ExprParser::parse(text);
    if (r.error.failed())
        return "error " + std::to_string(r.error.position) + ": " + r.error.message;
    return describeExpr(*r.root);
}

struct ShapeCase {
    const char* text;
    const char* shape;
};

TEST(ExprParser, PrecedenceAndAssociativity) {
    const ShapeCase cases[] = {
        {"1 + 2 * 3", "(+ 1 (* 2 3))"},
        {"(1 + 2) * 3", "(* (+ 1 2) 3)"},
        {"10 - 4 - 3", "(- (- 10 4) 3)"},
        {"8 / 4 / 2", "(/ (/ 8 4) 2)"},
        {"7 % 3 * 2", "(* (% 7 3) 2)"},
        {"-2 * 3", "(* (- 2) 3)"},
        {"- -2", "(- (- 2))"},
        {"+A", "(+ A)"},
        {"'a' & 1 + 2", "(& 'a' (+ 1 2))"},
        {"A & B = C", "(= (& A B) C)"},
        {"A = 1 AND B = 2 OR C = 3", "(OR (AND (= A 1) (= B 2)) (= C 3))"},
        {"A OR B AND C", "(OR A (AND B C))"},
        {"A XOR B AND C", "(XOR A (AND B C))"},
        {"NOT A = B", "(NOT (= A B))"},
        {"NOT A AND B", "(AND (NOT A) B)"},
        {"~A", "(NOT A)"},
        {"~~A", "(NOT (NOT A))"},
        {"NOT NOT A", "(NOT (NOT A))"},
        {"A ~= B", "(<> A B)"},
        {"A <> B", "(<> A B)"},
        {"A =< B", "(<= A B)"},
        {"A <= B", "(<= A B)"},
        {"A => B", "(>= A B)"},
        {"A >= B", "(>= A B)"},
        {"A=-1", "(= A (- 1))"},
        {"A<-1", "(< A (- 1))"},
        {"A < B = C", "(= (< A B) C)"},
        {"a and b or not c", "(OR (AND a b) (NOT c))"},
        {"upper(x) = Sub(y,1,3)", "(= (UPPER x) (SUB y 1 3))"},
        {"TODAY()", "(TODAY)"},
        {"INSTRING('a',B,1,1)", "(INSTRING 'a' B 1 1)"},
        {"((((A))))", "A"},
        {" \tA\r\n=\n1 ", "(= A 1)"},
    };
    for (const ShapeCase& c : cases) EXPECT_EQ(shape(c.text), c.shape) << c.text;
}

TEST(ExprParser, NamesNumbersAndStrings) {
    const ShapeCase cases[] = {
        {"BRW1::Sort3:Reset:MED:Media", "BRW1::Sort3:Reset:MED:Media"},
        {"Report:Save::LAB:LabelID", "Report:Save::LAB:LabelID"},
        {"_x1", "_x1"},
        {"ANDY OR NOTE", "(OR ANDY NOTE)"},
        {"AND:X", "AND:X"},
        {"12.50", "12.5"},
        {".5", "0.5"},
        {"7.", "7"},
        {"007", "7"},
        {"'it''s'", "'it''s'"},
        {"''''", "''''"},
        {"''", "''"},
        {"'a  '", "'a  '"},
        {"'björk ß'", "'björk ß'"},
    };
    for (const ShapeCase& c : cases) EXPECT_EQ(shape(c.text), c.shape) << c.text;

    const ExprParseResult r = ExprParser::parse("'it''s'");
    ASSERT_FALSE(r.error.failed());
    EXPECT_EQ(r.root->text, "it's");
}

TEST(ExprParser, NodePositionsCountCharacters) {
    const ExprParseResult r = ExprParser::parse("'ééé' = MUS:Title");
    ASSERT_FALSE(r.error.failed());
    EXPECT_EQ(r.root->position, 7);
    EXPECT_EQ(r.root->args[0]->position, 1);
    EXPECT_EQ(r.root->args[1]->position, 9);
}

struct ErrorCase {
    const char* text;
    int position;
    const char* message;  // a part of the message
};

TEST(ExprParser, MalformedTextsReportPositionAndReason) {
    const ErrorCase cases[] = {
        {"", 1, "empty"},
        {"   ", 1, "empty"},
        {"A =", 4, "expected a value but found end of text"},
        {"(A = 1", 1, "'(' has no matching ')'"},
        {"A = 1)", 6, "')' has no matching '('"},
        {"A B", 3, "expected an operator but found 'B'"},
        {"A = 'abc", 5, "no closing quote"},
        {"'it''s", 1, "no closing quote"},
        {"A # 1", 3, "unexpected character '#'"},
        {"A = é", 5, "unexpected character 'é'"},
        {"'é' = é", 7, "unexpected character 'é'"},
        {"FOO(1)", 1, "unknown function 'FOO'"},
        {"UPPER()", 1, "UPPER takes 1 argument"},
        {"UPPER(A, B)", 1, "UPPER takes 1 argument"},
        {"X = SUB(A)", 5, "SUB takes 2 to 3 arguments"},
        {"INSTRING('a',B,1,1,1)", 1, "INSTRING takes 2 to 4 arguments"},
        {"TODAY(1)", 1, "TODAY takes no arguments"},
        {"DATE(1,2)", 1, "DATE takes 3 arguments"},
        {"UPPER(A B)", 9, "expected ',' or ')'"},
        {"UPPER(A,)", 9, "expected a value but found ')'"},
        {"A AND AND B", 7, "expected a value but found AND"},
        {"1.2.3", 1, "malformed number"},
        {"12abc", 1, "malformed number"},
        {"= 1", 1, "expected a value but found '='"},
        {"()", 2, "expected a value but found ')'"},
        {"NOT", 4, "expected a value but found end of text"},
        {"A = ,", 5, "found ','"},
    };
    for (const ErrorCase& c : cases) {
        const ExprParseResult r = ExprParser::parse(c.text);
        ASSERT_TRUE(r.error.failed()) << c.text;
        EXPECT_EQ(r.root, nullptr) << c.text;
        EXPECT_EQ(r.error.position, c.position) << c.text << ": " << r.error.message;
        EXPECT_NE(r.error.message.find(c.message), std::string::npos)
            << c.text << ": " << r.error.message;
    }
}

TEST(ExprParser, NumberOutOfRangeIsAnError) {
    const ExprParseResult r = ExprParser::parse("A = 1" + std::string(400, '0'));
    ASSERT_TRUE(r.error.failed());
    EXPECT_EQ(r.error.position, 5);
    EXPECT_NE(r.error.message.find("out of range"), std::string::npos);
}

// Each way of nesting, at the limit and one past it: brackets, NOT, unary minus, argument
// lists and long operator chains (which nest without any bracket).
TEST(ExprParser, NestingIsLimited) {
    auto repeat = [](std::string_view s, int n) {
        std::string out;
        for (int i = 0; i < n; ++i) out += s;
        return out;
    };
    const int deep = kExprMaxDepth + 1;
    const std::string tooDeep[] = {
        repeat("(", deep) + "1" + repeat(")", deep),
        repeat("NOT ", deep) + "1",
        repeat("~", deep) + "1",
        repeat("-", deep) + "1",
        repeat("ABS(", deep) + "1" + repeat(")", deep),
        "1" + repeat(" + 1", deep),
        "1" + repeat(" AND 1", deep),
        "'a'" + repeat(" & 'a'", deep),
    };
    for (const std::string& text : tooDeep) {
        const ExprParseResult r = ExprParser::parse(text);
        ASSERT_TRUE(r.error.failed()) << text.substr(0, 40);
        EXPECT_NE(r.error.message.find("nested too deeply"), std::string::npos) << r.error.message;
        EXPECT_GT(r.error.position, 1);
    }
    const int fits = kExprMaxDepth / 2;
    const std::string fine[] = {
        repeat("(", fits) + "1" + repeat(")", fits),
        repeat("NOT ", fits) + "1",
        "1" + repeat(" + 1", fits),
        repeat("ABS(", fits) + "1" + repeat(")", fits),
    };
    for (const std::string& text : fine)
        EXPECT_FALSE(ExprParser::parse(text).error.failed()) << text.substr(0, 40);

    // Far past the limit (a hostile text) fails the same way instead of overflowing the stack.
    EXPECT_TRUE(ExprParser::parse(repeat("(", 50000)).error.failed());
}

TEST(ExprParser, OverlongTextIsRefused) {
    std::string text = "A = '" + std::string(kExprMaxText, 'x') + "'";
    const ExprParseResult r = ExprParser::parse(text);
    ASSERT_TRUE(r.error.failed());
    EXPECT_EQ(r.error.position, 1);
    EXPECT_NE(r.error.message.find("longer than"), std::string::npos);

    const std::string atLimit = "'" + std::string(kExprMaxText - 2, 'x') + "'";
    EXPECT_FALSE(ExprParser::parse(atLimit).error.failed());
}

}  // namespace
}  // namespace cdz
