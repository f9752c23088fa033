// The generator's building blocks: random source, day numbers, UTF-8 cutting, skewed choice,
// CSV field writing.
#include <QDate>
#include <QList>
#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bench/generator/CsvLine.h"
#include "bench/generator/DayNumbers.h"
#include "bench/generator/Rng.h"
#include "bench/generator/TextCut.h"
#include "bench/generator/ZipfTable.h"
#include "tests/bench/CsvFieldReader.h"

namespace cdz::gen {
namespace {

TEST(BenchRng, FollowsThePublishedXoshiroSequence) {
    // Reference outputs of xoshiro256** from the state {1, 2, 3, 4}: the generator must give
    // them on any machine, or catalogues would differ between machines.
    const std::array<uint64_t, 10> reference = {
        11520u,
        0u,
        1509978240u,
        1215971899390074240u,
        1216172134540287360u,
        607988272756665600u,
        16172922978634559625u,
        8476171486693032832u,
        10595114339597558777u,
        2904607092377533576u,
    };
    Rng rng = Rng::fromState({1, 2, 3, 4});
    for (uint64_t expected : reference) EXPECT_EQ(rng.next(), expected);
}

TEST(BenchRng, SameSeedSameStreamOtherSeedOtherStream) {
    Rng a(42), b(42), c(43);
    bool differs = false;
    for (int i = 0; i < 100; ++i) {
        const uint64_t x = a.next();
        EXPECT_EQ(x, b.next());
        differs = differs || x != c.next();
    }
    EXPECT_TRUE(differs);
}

TEST(BenchRng, BoundedValuesStayInRangeAndCoverIt) {
    Rng rng(7);
    struct Case {
        int64_t lo, hi;
    };
    for (const Case c : {Case{0, 0}, Case{1, 6}, Case{-5, 5}, Case{1950, 2024}}) {
        std::vector<int> seen(static_cast<std::size_t>(c.hi - c.lo + 1));
        for (int i = 0; i < 5000; ++i) {
            const int64_t v = rng.range(c.lo, c.hi);
            ASSERT_GE(v, c.lo);
            ASSERT_LE(v, c.hi);
            ++seen[static_cast<std::size_t>(v - c.lo)];
        }
        for (int count : seen) EXPECT_GT(count, 0) << c.lo << ".." << c.hi;
    }
    EXPECT_EQ(rng.below(0), 0u);
    // The whole 64-bit range must not divide by zero.
    (void)rng.range(INT64_MIN, INT64_MAX);
    int hits = 0;
    for (int i = 0; i < 10000; ++i) hits += rng.chance(250) ? 1 : 0;
    EXPECT_NEAR(hits, 2500, 250);
    for (int i = 0; i < 1000; ++i) {
        EXPECT_FALSE(rng.chance(0));
        EXPECT_TRUE(rng.chance(1000));
    }
}

int32_t qtDayNumber(const QDate& date) {
    return static_cast<int32_t>(date.toJulianDay() - QDate(1801, 1, 1).toJulianDay() + 4);
}

TEST(BenchDayNumbers, AgreeWithTheCalendarAcrossTheRange) {
    struct Case {
        int y, m, d;
    };
    for (const Case c : {Case{1801, 1, 1}, Case{1900, 2, 28}, Case{1900, 3, 1}, Case{2000, 2, 29},
                         Case{2024, 12, 31}, Case{2400, 2, 29}, Case{9999, 12, 31}}) {
        EXPECT_EQ(dayFromCivil(c.y, c.m, c.d), qtDayNumber(QDate(c.y, c.m, c.d)))
            << c.y << '-' << c.m << '-' << c.d;
    }
    EXPECT_EQ(dayFromCivil(1801, 1, 1), 4);
    // Every day of the years the generator uses, both ways.
    for (QDate date(1801, 1, 1); date.year() < 2030; date = date.addDays(7)) {
        const int32_t day = qtDayNumber(date);
        ASSERT_EQ(dayFromCivil(date.year(), date.month(), date.day()), day) << day;
        const CivilDate back = civilFromDay(day);
        ASSERT_EQ(QDate(back.year, back.month, back.day), date) << day;
    }
}

TEST(BenchTextCut, CutsAtCharactersNeverInsideOne) {
    struct Case {
        const char* text;
        std::size_t width;
        const char* expected;
    };
    const Case cases[] = {
        {"Björk", 3, "Bjö"},
        {"Björk", 40, "Björk"},
        {"Straße", 5, "Straß"},
        {"東京の夜", 2, "東京"},
        {"𠮷野家", 1, "𠮷"},
        {"Love Song", 5, "Love"},  // the blank left at the cut is clipped
        {"trailing   ", 40, "trailing"},
        {"", 3, ""},
        {"abc", 0, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cutToChars(c.text, c.width), c.expected) << c.text << " / " << c.width;
        EXPECT_EQ(charCount(cutToChars(c.text, c.width)),
                  static_cast<std::size_t>(QString::fromUtf8(c.expected).toUcs4().size()));
    }
}

TEST(BenchZipfTable, FavoursLowRanksAndReachesTheTail) {
    const ZipfTable table(1000, 0);
    Rng rng(3);
    std::vector<int> counts(1000);
    for (int i = 0; i < 200000; ++i) {
        const uint32_t r = table.pick(rng);
        ASSERT_LT(r, 1000u);
        ++counts[r];
    }
    // Weight 1/(r+1): rank 0 about twice rank 1 and ten times rank 9.
    EXPECT_NEAR(static_cast<double>(counts[0]) / counts[1], 2.0, 0.2);
    EXPECT_NEAR(static_cast<double>(counts[0]) / counts[9], 10.0, 1.5);
    int tail = 0;
    for (int r = 500; r < 1000; ++r) tail += counts[static_cast<std::size_t>(r)];
    EXPECT_GT(tail, 0);
    EXPECT_EQ(ZipfTable(1, 8).pick(rng), 0u);
}

TEST(BenchCsvLine, WritesEachKindAsTheExportDoes) {
    CsvLine line;
    line.addText("Say \"Hi\", then go");
    line.addNumber(-42);
    line.addDate(dayFromCivil(1959, 10, 31));
    line.addDate(0);
    line.addTime(22501);
    line.addTime(0);
    line.addTime(480001);
    line.addCents(1299);
    line.addCents(-50);
    line.addText("");
    EXPECT_EQ(line.text(),
              "\"Say \"\"Hi\"\", then go\",-42,\"10/31/1959\",\"\",\"0:03:45\",\"\","
              "\"1:20:00\",12.99,-0.50,\"\"");
    const auto fields = test::readCsvLine(line.text());
    ASSERT_EQ(fields.size(), 10u);
    EXPECT_EQ(fields[0].value, "Say \"Hi\", then go");
    EXPECT_TRUE(fields[0].quoted);
    EXPECT_FALSE(fields[1].quoted);
    EXPECT_EQ(fields[9].value, "");
    EXPECT_TRUE(fields[9].quoted);
    line.clear();
    line.addNumber(7);
    EXPECT_EQ(line.text(), "7");
}

TEST(BenchCsvReader, ReadsTheLineFormatsCorners) {
    struct Case {
        const char* line;
        std::vector<std::string> values;
    };
    const Case cases[] = {
        {"\"a,b\",1", {"a,b", "1"}},
        {"\"\"\"\"", {"\""}},
        {"\"open, never closed", {"open, never closed"}},
        {"1,2,   ", {"1", "2"}},
        {"\"x\",\"\",3", {"x", "", "3"}},
    };
    for (const Case& c : cases) {
        const auto fields = test::readCsvLine(c.line);
        ASSERT_EQ(fields.size(), c.values.size()) << c.line;
        for (std::size_t i = 0; i < fields.size(); ++i) EXPECT_EQ(fields[i].value, c.values[i]);
    }
}

}  // namespace
}  // namespace cdz::gen
