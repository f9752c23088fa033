// A value put into a filter text in place of a name: whole names only, outside quoted
// constants, the value a quoted constant however it is written.
#include "querykit/navigation/NameSubstitution.h"

#include <gtest/gtest.h>

#include "querykit/querykit.h"

namespace qk {
namespace {

struct Case {
    const char* text;
    const char* name;
    const char* value;
    const char* expected;
};

TEST(NameSubstitutionTest, ReplacesTheFirstWholeNameOutsideConstants) {
    const Case cases[] = {
        {"X = cust", "CUST", "12", "X = '12'"},
        {"CUST = 1 AND CUST = 2", "cust  ", "7  ", "'7' = 1 AND CUST = 2"},
        {"CUSTNO = 1 OR MY_CUST = 2 OR CUST = 3", "CUST", "9",
         "CUSTNO = 1 OR MY_CUST = 2 OR '9' = 3"},
        {"X:CUST = 1 OR CUST2 = 1", "CUST", "9", "X:CUST = 1 OR CUST2 = 1"},
        {"(CUST)", "CUST", "9", "('9')"},
        {"A = 'CUST' AND B = 'it''s CUST' AND CUST = 1", "CUST", "9",
         "A = 'CUST' AND B = 'it''s CUST' AND '9' = 1"},
        {"ART:Name = NAME", "NAME", "Guns N' Roses", "ART:Name = 'Guns N'' Roses'"},
        {"NAME = ''", "NAME", "'", "'''' = ''"},
        {"X = CUST", "", "9", "X = CUST"},
        {"X = Y", "CUST", "9", "X = Y"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NameSubstitution::apply(c.text, c.name, c.value), c.expected) << c.text;
    }
}

TEST(NameSubstitutionTest, ExportChangesTheHostsText) {
    cdz::Text<40> text("X = cust AND Y = 1");
    XR_QWPARSE("CUST", "12", text);
    EXPECT_EQ(text.str(), "X = '12' AND Y = 1");
}

}  // namespace
}  // namespace qk
