// The text form of the server's copy read back as written, and lines that do not fit their
// fields refused rather than read wrong.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "runtime/data/pg/PgCopyText.h"

namespace cdz::test {
namespace {

using pg::CopyType;

TEST(PgCopyText, EveryValueReadsBackAsItWasWritten) {
    const std::vector<CopyType> types{CopyType::Integer, CopyType::Real, CopyType::Text,
                                      CopyType::Text,    CopyType::Text, CopyType::Real};
    const SqlValues row{int64_t{-9223372036854775807 - 1},
                        0.1 + 0.2,
                        std::string("a\tb\nc\rd\\e \\N \\."),
                        std::string("\\N"),
                        SqlValue{},
                        std::numeric_limits<double>::infinity()};
    std::string line;
    for (size_t i = 0; i < row.size(); ++i) ASSERT_TRUE(pg::appendCopyField(line, row[i], i == 0));
    EXPECT_EQ(line.find('\n'), std::string::npos);
    SqlValues back;
    ASSERT_TRUE(pg::readCopyLine(line, types, &back)) << line;
    EXPECT_EQ(back, row);
    EXPECT_FALSE(pg::appendCopyField(line, std::string("nul\0here", 8), false));
}

// What the server writes that the program never does: its own words for reals and escapes.
TEST(PgCopyText, TheServersFormsAreReadAndMisfitLinesRefused) {
    SqlValues back;
    ASSERT_TRUE(pg::readCopyLine("-Infinity\t\\101\\x42\\b\\v\\f", {CopyType::Real, CopyType::Text},
                                 &back));
    EXPECT_EQ(back[0], SqlValue(-std::numeric_limits<double>::infinity()));
    EXPECT_EQ(back[1], SqlValue(std::string("AB\b\v\f")));
    ASSERT_TRUE(pg::readCopyLine("NaN", {CopyType::Real}, &back));
    EXPECT_TRUE(std::isnan(std::get<double>(back[0])));
    const struct {
        const char* line;
        std::vector<CopyType> types;
    } refused[] = {
        {"1\t2\t3", {CopyType::Integer, CopyType::Integer}},  // a field too many
        {"1", {CopyType::Integer, CopyType::Integer}},        // one too few
        {"12x", {CopyType::Integer}},                         // not a number
        {"", {CopyType::Integer}},
    };
    for (const auto& r : refused) EXPECT_FALSE(pg::readCopyLine(r.line, r.types, &back)) << r.line;
}

}  // namespace
}  // namespace cdz::test
