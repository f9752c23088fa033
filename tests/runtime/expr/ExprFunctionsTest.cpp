// Every function of the language on ordinary, edge and hostile arguments.
#include <gtest/gtest.h>

#include <string>

#include "runtime/expr/Expression.h"
#include "runtime/text/DateTime.h"

namespace cdz {
namespace {

// The value of a text as a printable form: numbers plain, strings in brackets so that blanks
// show.
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

void expectAll(std::initializer_list<Case> cases) {
    for (const Case& c : cases) EXPECT_EQ(run(c.text), c.result) << c.text;
}

TEST(ExprFunctions, CaseMapping) {
    expectAll({
        {"UPPER('abc Xyz 1')", "[ABC XYZ 1]"},
        {"LOWER('ABC xYZ 1')", "[abc xyz 1]"},
        {"UPPER('björk')", "[BJÖRK]"},
        {"UPPER('straße')", "[STRASSE]"},
        {"LOWER('ÀÉÎ')", "[àéî]"},
        {"UPPER('')", "[]"},
        {"UPPER(12)", "[12]"},
        {"upper('a') & Lower('B')", "[Ab]"},
    });
}

TEST(ExprFunctions, SubCountsCharacters) {
    expectAll({
        {"SUB('abcdef',1,3)", "[abc]"},
        {"SUB('abcdef',4,2)", "[de]"},
        {"SUB('abcdef',5,10)", "[ef]"},
        {"SUB('abcdef',7,1)", "[]"},
        {"SUB('abcdef',3)", "[cdef]"},
        {"SUB('abcdef',-2,2)", "[ef]"},
        {"SUB('abcdef',-1,5)", "[f]"},
        {"SUB('abc',-5,2)", "[]"},
        {"SUB('abc',-4,2)", "[a]"},
        {"SUB('abcdef',0,2)", "[a]"},
        {"SUB('abcdef',2,0)", "[]"},
        {"SUB('abcdef',2,-3)", "[]"},
        {"SUB('ééñ',2,1)", "[é]"},
        {"SUB('日本語です',3,2)", "[語で]"},
        {"SUB(12345,2,3)", "[234]"},
        {"SUB('abc',99999999999999999999,1)", "[]"},
        {"SUB('abc',-99999999999999999999,1)", "[]"},
        {"SUB('abc',2,99999999999999999999)", "[bc]"},
        {"SUB('abc',1.9,1)", "[a]"},
    });
}

TEST(ExprFunctions, InstringFindsCharacterPositions) {
    expectAll({
        {"INSTRING('c','abcabc',1,1)", "3"},
        {"INSTRING('c','abcabc',1,4)", "6"},
        {"INSTRING('c','abcabc',1,7)", "0"},
        {"INSTRING('x','abcabc',1,1)", "0"},
        {"INSTRING('bc','abcabc')", "2"},
        {"INSTRING('abcabcd','abcabc',1,1)", "0"},
        {"INSTRING('','abc',1,1)", "0"},
        {"INSTRING('a','',1,1)", "0"},
        {"INSTRING('a','aaaa',1,0)", "1"},
        {"INSTRING('a','aaaa',1,-5)", "1"},
        // Step: only the positions start, start+step, ... are tried.
        {"INSTRING('b','abab',2,1)", "0"},
        {"INSTRING('b','abab',2,2)", "2"},
        {"INSTRING('cd','abcdcd',2,1)", "3"},
        {"INSTRING('cd','abcdcd',3,1)", "0"},
        {"INSTRING('a','xxxxxxa',3,1)", "7"},
        // Overlapping occurrences are all candidates.
        {"INSTRING('aa','aaaa',1,2)", "2"},
        // A negative step walks backwards from start.
        {"INSTRING('a','abab',-1,4)", "3"},
        {"INSTRING('a','abab',-1,2)", "1"},
        {"INSTRING('a','abab',-2,4)", "0"},
        {"INSTRING('b','abab',-2,4)", "4"},
        {"INSTRING('a','abab',-1,99)", "3"},
        {"INSTRING('a','abab',-1,0)", "0"},
        // Step 0 would never move: nothing is found.
        {"INSTRING('a','abab',0,1)", "0"},
        // Positions count characters, not bytes.
        {"INSTRING('ñ','ééñé',1,1)", "3"},
        {"INSTRING('é','ééñé',1,3)", "4"},
        {"INSTRING('語','日本語',1,1)", "3"},
        {"INSTRING('é','ééñé',-1,3)", "2"},
        {"INSTRING(3,12345,1,1)", "3"},
        {"INSTRING('a','aaa',99999999999999999999,1)", "1"},
        {"INSTRING('a','aaa',-99999999999999999999,3)", "3"},
    });
}

TEST(ExprFunctions, NumericFunctions) {
    expectAll({
        {"ABS(-3.5)", "3.5"},
        {"ABS(2)", "2"},
        {"ABS('-7')", "7"},
        {"ABS('x')", "0"},
        {"INT(7.9)", "7"},
        {"INT(-7.9)", "-7"},
        {"INT('12.5')", "12"},
        {"ROUND(2.5,1)", "3"},
        {"ROUND(-2.5,1)", "-3"},
        {"ROUND(2.675,0.01)", "2.68"},
        {"ROUND(1.005,0.01)", "1.01"},
        {"ROUND(1234,100)", "1200"},
        {"ROUND(1250,100)", "1300"},
        {"ROUND(7.3)", "7"},
        {"ROUND(7.3,0)", "7.3"},
        {"ROUND(7.25,-0.5)", "7.5"},
        {"ROUND(0.1 * 3,0.1)", "0.3"},
        {"NUMERIC('12.5')", "1"},
        {"NUMERIC(' -3 ')", "1"},
        {"NUMERIC('12a')", "0"},
        {"NUMERIC('')", "0"},
        {"NUMERIC(5)", "1"},
    });
}

TEST(ExprFunctions, TextFunctions) {
    expectAll({
        {"CLIP('ab  ')", "[ab]"},
        {"CLIP('  ab')", "[  ab]"},
        {"CLIP('   ')", "[]"},
        {"CLIP(12)", "[12]"},
        {"LEN('abc')", "3"},
        {"LEN('abc  ')", "5"},
        {"LEN(CLIP('abc  '))", "3"},
        {"LEN('ééé')", "3"},
        {"LEN('')", "0"},
        {"LEN(-1.5)", "4"},
        {"LEFT('  ab')", "[ab  ]"},
        {"LEFT('ab')", "[ab]"},
        {"LEFT('  ab',3)", "[ab ]"},
        {"LEFT('abcdef',3)", "[abc]"},
        {"LEFT('ab',5)", "[ab   ]"},
        {"LEFT('  ñé',2)", "[ñé]"},
        {"LEFT('ab',0)", "[]"},
        {"LEFT('ab',-4)", "[]"},
        {"LEFT(42,4)", "[42  ]"},
        {"LEN(LEFT('a',99999999999999999999))", "65535"},
    });
}

TEST(ExprFunctions, Dates) {
    const int32_t jan1801 = dateFromYmd(1801, 1, 1);
    ASSERT_EQ(jan1801, 4);
    const int32_t d = dateFromYmd(1999, 12, 31);
    expectAll({
        {"DATE(1,1,1801)", "4"},
        {"YEAR(DATE(12,31,1999))", "1999"},
        {"MONTH(DATE(12,31,1999))", "12"},
        {"DAY(DATE(12,31,1999))", "31"},
        {"DATE(13,1,1999) = DATE(1,1,2000)", "1"},
        {"DATE(3,0,2000) = DATE(2,29,2000)", "1"},
        {"DATE(1,1,1700)", "0"},
        {"DATE(1,1,99999999999999999999)", "0"},
        {"YEAR(0)", "0"},
        {"YEAR(3)", "0"},
        {"MONTH(-5)", "0"},
        {"DAY(99999999999999999999)", "0"},
    });
    EXPECT_EQ(run("DATE(12,31,1999)"), std::to_string(d));
    EXPECT_EQ(run("TODAY()"), std::to_string(today()));
    EXPECT_EQ(run("YEAR(TODAY())"), std::to_string(ymdFromDate(today()).year));
}

}  // namespace
}  // namespace cdz
