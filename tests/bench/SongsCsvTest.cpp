// The songs file as cdzgen writes it: byte-for-byte deterministic, every line read back by
// the line format's rules gives the record's 23 import columns, texts within their widths.
#include <QDate>
#include <QList>
#include <QString>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bench/generator/CatalogueRecords.h"
#include "bench/generator/CatalogueWriter.h"
#include "bench/generator/SongGenerator.h"
#include "tests/bench/CsvFieldReader.h"

namespace cdz::gen {
namespace {

std::string songsCsv(const CatalogueShape& shape, bool header) {
    std::ostringstream out;
    CatalogueWriter::writeSongs(out, shape, header);
    return out.str();
}

std::vector<SongRecord> songsOf(const CatalogueShape& shape) {
    std::vector<SongRecord> songs;
    SongGenerator generator(shape);
    SongRecord song;
    while (generator.next(song)) songs.push_back(song);
    return songs;
}

int32_t dayOf(const std::string& text) {
    if (text.empty()) return 0;
    const QDate date = QDate::fromString(QString::fromStdString(text), "MM/dd/yyyy");
    if (!date.isValid()) return -1;
    return static_cast<int32_t>(date.toJulianDay() - QDate(1801, 1, 1).toJulianDay() + 4);
}

int32_t timeOf(const std::string& text) {
    if (text.empty()) return 0;
    int h = 0, m = 0, s = 0;
    char c1 = 0, c2 = 0;
    std::istringstream in(text);
    if (!(in >> h >> c1 >> m >> c2 >> s) || c1 != ':' || c2 != ':' || m > 59 || s > 59) return -1;
    // Minutes and seconds in two digits each.
    if (text.find(':') + 3 != text.rfind(':') || text.rfind(':') + 3 != text.size()) return -1;
    return ((h * 60 + m) * 60 + s) * 100 + 1;
}

TEST(BenchSongsCsv, SameSeedSameBytesOtherSeedOtherBytes) {
    const CatalogueShape shape{11, 3000, 200};
    const std::string first = songsCsv(shape, true);
    EXPECT_EQ(first, songsCsv(shape, true));
    EXPECT_NE(first, songsCsv({12, 3000, 200}, true));
    // The header is a line of its own in front of the same songs.
    const std::string plain = songsCsv(shape, false);
    EXPECT_EQ(first.substr(first.find('\n') + 1), plain);
}

TEST(BenchSongsCsv, HeaderNamesTheImportTargetsInOrder) {
    const std::vector<std::string> targets = {
        "MUS:Artist",
        "MUS:Title",
        "MUS:Album",
        "MUS:Media",
        "MUS:FileNumber",
        "MUS:ReleaseDate",
        "MUS:CategoryID",
        "MUS:ChartNumber",
        "MUS:TrackNumber",
        "MUS:Side",
        "MUS:Time",
        "MUS:UserDefinedKeyField",
        "MUS:AdditionalInformation1",
        "MUS:AdditionalInformation2",
        "MUS:AdditionalInformation3",
        "MUS:BeatsPerMinute",
        "MUS:Style",
        "MUS:Recording",
        "MUS:Composer",
        "MUS:PerformanceNotes",
        "MUS:LastPlayed",
        "MUS:Notes",
        "MUS:Rating",
    };
    const auto lines = test::splitLines(songsCsv({1, 10, 200}, true));
    ASSERT_EQ(lines.size(), 11u);
    const auto header = test::readCsvLine(lines[0]);
    ASSERT_EQ(header.size(), targets.size());
    for (std::size_t i = 0; i < targets.size(); ++i) {
        EXPECT_TRUE(header[i].quoted);
        EXPECT_EQ(header[i].value, targets[i]);
    }
}

TEST(BenchSongsCsv, EveryLineReadsBackAsItsRecord) {
    const CatalogueShape shape{5, 6000, 200};
    const auto songs = songsOf(shape);
    const auto lines = test::splitLines(songsCsv(shape, false));
    ASSERT_EQ(songs.size(), 6000u);
    ASSERT_EQ(lines.size(), songs.size());

    using Text = std::string SongRecord::*;
    const std::vector<std::pair<int, Text>> texts = {
        {0, &SongRecord::Artist},
        {1, &SongRecord::Title},
        {2, &SongRecord::Album},
        {3, &SongRecord::Media},
        {4, &SongRecord::FileNumber},
        {9, &SongRecord::Side},
        {11, &SongRecord::UserDefinedKeyField},
        {12, &SongRecord::AdditionalInformation1},
        {13, &SongRecord::AdditionalInformation2},
        {14, &SongRecord::AdditionalInformation3},
        {16, &SongRecord::Style},
        {17, &SongRecord::Recording},
        {18, &SongRecord::Composer},
        {19, &SongRecord::PerformanceNotes},
        {21, &SongRecord::Notes},
        {22, &SongRecord::Rating},
    };
    int quotesSeen = 0;
    int commasSeen = 0;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const SongRecord& s = songs[n];
        const auto f = test::readCsvLine(lines[n]);
        ASSERT_EQ(f.size(), 23u) << "line " << n + 1 << ": " << lines[n];
        for (const auto& [column, member] : texts) {
            ASSERT_TRUE(f[column].quoted) << n + 1 << ":" << column;
            ASSERT_EQ(f[column].value, s.*member) << n + 1 << ":" << column;
        }
        for (int column : {6, 7, 8, 15}) ASSERT_FALSE(f[column].quoted) << n + 1 << ":" << column;
        EXPECT_EQ(f[6].value, std::to_string(s.CategoryID));
        EXPECT_EQ(f[7].value, std::to_string(s.ChartNumber));
        EXPECT_EQ(f[8].value, std::to_string(s.TrackNumber));
        EXPECT_EQ(f[15].value, std::to_string(s.BeatsPerMinute));
        for (int column : {5, 10, 20}) ASSERT_TRUE(f[column].quoted) << n + 1 << ":" << column;
        EXPECT_EQ(dayOf(f[5].value), s.ReleaseDate) << f[5].value;
        EXPECT_EQ(dayOf(f[20].value), s.LastPlayed) << f[20].value;
        EXPECT_EQ(timeOf(f[10].value), s.Time) << f[10].value;
        quotesSeen += s.Title.find('"') != std::string::npos ? 1 : 0;
        commasSeen += s.Title.find(',') != std::string::npos ? 1 : 0;
    }
    // The quoting above was exercised, not just plain texts.
    EXPECT_GT(quotesSeen, 0);
    EXPECT_GT(commasSeen, 0);
}

bool isWellFormedUtf8(const std::string& text) {
    return QString::fromUtf8(text).toUtf8().toStdString() == text;
}

std::size_t characters(const std::string& text) {
    return static_cast<std::size_t>(QString::fromUtf8(text).toUcs4().size());
}

TEST(BenchSongsCsv, TextsKeepTheirWidthsInCharacters) {
    const CatalogueShape shape{9, 20000, 200};
    using Text = std::string SongRecord::*;
    const std::vector<std::pair<Text, std::size_t>> widths = {
        {&SongRecord::Artist, 40},
        {&SongRecord::Title, 40},
        {&SongRecord::Album, 40},
        {&SongRecord::Media, 20},
        {&SongRecord::FileNumber, 20},
        {&SongRecord::Side, 1},
        {&SongRecord::UserDefinedKeyField, 30},
        {&SongRecord::AdditionalInformation1, 80},
        {&SongRecord::AdditionalInformation2, 80},
        {&SongRecord::AdditionalInformation3, 80},
        {&SongRecord::Style, 30},
        {&SongRecord::Composer, 80},
        {&SongRecord::Rating, 2},
        {&SongRecord::Recording, 256},
        {&SongRecord::PerformanceNotes, 256},
        {&SongRecord::Notes, 2000},
    };
    std::vector<std::size_t> longest(widths.size());
    std::size_t multiByteAtWidth = 0;
    for (const SongRecord& s : songsOf(shape)) {
        for (std::size_t i = 0; i < widths.size(); ++i) {
            const std::string& text = s.*widths[i].first;
            ASSERT_TRUE(isWellFormedUtf8(text)) << text;
            const std::size_t chars = characters(text);
            ASSERT_LE(chars, widths[i].second) << text;
            longest[i] = std::max(longest[i], chars);
            if (chars == widths[i].second && text.size() > chars) ++multiByteAtWidth;
            if (!text.empty()) {
                ASSERT_NE(text.back(), ' ') << "not clipped: " << text;
            }
            for (char c : text) ASSERT_GE(static_cast<unsigned char>(c), 0x20u) << text;
        }
        EXPECT_TRUE(s.TrackNumber <= 20);
        EXPECT_GE(s.Time, 0);
    }
    // Titles, albums and notes reach their widths, so the cut itself is exercised; some cut
    // texts are multi-byte.
    EXPECT_EQ(longest[1], 40u);
    EXPECT_EQ(longest[15], 2000u);
    EXPECT_GT(multiByteAtWidth, 0u);
}

TEST(BenchSongsCsv, LinesAndFieldsStayWithinTheFormatsLimits) {
    const auto lines = test::splitLines(songsCsv({3, 10000, 200}, true));
    for (const std::string& line : lines) {
        ASSERT_LT(characters(line), 16000u);
        for (const auto& field : test::readCsvLine(line)) ASSERT_LT(characters(field.value), 4000u);
    }
}

}  // namespace
}  // namespace cdz::gen
