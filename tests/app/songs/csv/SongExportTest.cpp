// The export read back by the import: every field of songs with quotes, commas, line breaks
// and characters of many scripts comes back the same; and a file that cannot be written.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/domain/data/Catalogue.h"
#include "app/songs/csv/ImportAssignment.h"
#include "app/songs/csv/SongExport.h"
#include "app/songs/csv/SongImport.h"
#include "runtime/text/DateTime.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

using F = CatalogueFile;

std::filesystem::path made(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    return folder;
}

struct Files {
    explicit Files(const std::filesystem::path& folder) : catalogue(made(folder)) {
        for (F f : {F::Cadenzio, F::Categories, F::Media}) EXPECT_EQ(catalogue.use(f), 0);
    }
    Catalogue catalogue;
};

void addSong(Catalogue& c, int i) {
    static const char* const artists[] = {"Björk",     "Сплин",       "周杰伦",
                                          "Sigur Rós", "Smith, John", "\"Weird\" Al"};
    SongRecord& s = c.song();
    c.file(F::Cadenzio).clearBuffer();
    s.Artist = artists[i % 6];
    s.Title = "Title \"" + std::to_string(i) + "\", part 𝄞";
    s.Album = "Album ΑΒΓ";
    s.Media = "CD";
    s.FileNumber = "F" + std::to_string(i);
    s.ReleaseDate = i % 3 == 0 ? 0 : (i % 3 == 1 ? 1984 : dateFromYmd(1990 + i, 12, 31));
    s.CategoryID = i % 2;
    s.ChartNumber = static_cast<uint8_t>(i);
    s.TrackNumber = static_cast<uint8_t>(i + 1);
    s.Side = "B";
    s.Time = i % 2 ? timeFromHms(0, 4, i) : 0;
    s.UserDefinedKeyField = "Key ";
    s.AdditionalInformation1 = "ü";
    s.AdditionalInformation2 = "";
    s.AdditionalInformation3 = "three";
    s.BeatsPerMinute = 120 + i;
    s.Style = "Pop";
    s.Recording = "Studio\r\nTake 2";
    s.Composer = "Ä, Ö";
    s.PerformanceNotes = "\"live\"";
    s.LastPlayed = i % 2 ? dateFromYmd(2025, 7, i + 1) : 0;
    s.Notes = std::string(1990, 'n') + "é";
    s.Rating = "5";
    ASSERT_EQ(c.file(F::Cadenzio).add(), 0);
}

std::string fieldsOf(Catalogue& c, void* record) {
    std::string out;
    for (const char* label : ImportAssignment::targetLabels()) {
        if (label == ImportAssignment::kCategoryName) continue;  // not a field of the song
        const FieldDesc* f = c.file(F::Cadenzio).decl().column(label);
        out += std::string(label) + "=" + f->toString(record) + "\n";
    }
    return out;
}

TEST(SongExport, AnExportImportsBackToTheSameSongs) {
    TempDir dir;
    Files from(dir.path() / "from");
    Catalogue& a = from.catalogue;
    a.category().CategoryID = 1;
    a.category().Category = "Rock";
    ASSERT_EQ(a.file(F::Categories).add(), 0);
    for (int i = 0; i < 12; ++i) addSong(a, i);

    const std::string csv = dir.file("out.csv");
    SongExport out(a, SongExport::allFields(), true);
    ASSERT_TRUE(out.start(csv));
    while (out.step(5)) {
    }
    ASSERT_TRUE(out.finish());
    EXPECT_EQ(out.state(), ExportState::Completed);
    EXPECT_EQ(out.written(), 12);

    Files to(dir.path() / "to");
    CsvLineReader reader;
    ASSERT_TRUE(reader.open(csv));
    ASSERT_EQ(reader.read(), CsvRead::Line);
    const std::vector<CsvField> header(reader.fields().begin(), reader.fields().end());
    ImportAssignment assignment;
    assignment.setColumns(header, {});
    EXPECT_EQ(assignment.autoAssign(), 24);
    SongImport in(to.catalogue, reader, assignment, csv);
    in.start();
    while (in.step(5)) {
    }
    EXPECT_EQ(in.state(), ImportState::Completed);
    ASSERT_EQ(in.added(), 12);

    // The export's order is the artist order: the import numbers the songs in it.
    DataFile& original = a.file(F::Cadenzio);
    DataFile& copy = to.catalogue.file(F::Cadenzio);
    ASSERT_EQ(original.set(SongRecord::SongsByArtist), 0);
    ASSERT_EQ(copy.set(SongRecord::KeyID), 0);
    for (int i = 0; i < 12; ++i) {
        ASSERT_EQ(original.next(), 0);
        ASSERT_EQ(copy.next(), 0);
        EXPECT_EQ(fieldsOf(to.catalogue, copy.record()), fieldsOf(a, original.record()));
    }
}

// Any field may be given a date or time picture: a text or memo holding a day or time number
// is written as that date or time, as a number field holding it is.
TEST(SongExport, ADatePictureOnATextFormatsTheNumberItHolds) {
    TempDir dir;
    Files from(dir.path());
    Catalogue& c = from.catalogue;
    c.file(F::Cadenzio).clearBuffer();
    const int32_t day = dateFromYmd(1990, 12, 31);
    c.song().Artist = "A";
    c.song().UserDefinedKeyField = std::to_string(day);
    c.song().Notes = std::to_string(day);
    c.song().ReleaseDate = day;
    c.song().Composer = std::to_string(timeFromHms(1, 2, 3));
    ASSERT_EQ(c.file(F::Cadenzio).add(), 0);

    const std::string csv = dir.file("out.csv");
    SongExport out(c,
                   {{"MUS:UserDefinedKeyField", "@d2"},
                    {"MUS:Notes", "@d2"},
                    {"MUS:ReleaseDate", "@d2"},
                    {"MUS:Composer", "@t4"}},
                   false);
    ASSERT_TRUE(out.start(csv));
    while (out.step(5)) {
    }
    ASSERT_TRUE(out.finish());
    std::ifstream in(csv, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "\"12/31/1990\",\"12/31/1990\",\"12/31/1990\",\"1:02:03\"\r\n");
}

std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A write that fails is offered again, then the run is abandoned: the old file stays whole, the
// count is what reached the file, and no temporary file is left beside it.
TEST(SongExport, AWriteThatFailsLeavesTheOldFileWhole) {
    TempDir dir;
    Files from(dir.path());
    for (int i = 0; i < 1000; ++i) addSong(from.catalogue, i);
    const std::string csv = dir.file("out.csv");
    std::ofstream(csv) << "old";
    SongExport out(from.catalogue, SongExport::allFields(), true);
    std::vector<std::string> asked;
    out.setRetryQuestion([&](const std::string& title, const std::string& text) {
        asked.push_back(title + ": " + text);
        return asked.size() < 2;  // Retry once, then Abort
    });
    {
        FileSizeLimit limit(64 * 1024);
        ASSERT_TRUE(out.start(csv));
        while (out.step(25)) {
        }
        EXPECT_FALSE(out.finish());
    }
    EXPECT_EQ(out.state(), ExportState::Abandoned);
    EXPECT_EQ(out.written(), 0);
    EXPECT_FALSE(out.replaced());
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], "Cannot ADD to " + csv + ": Error #27 - File too large");
    EXPECT_EQ(contentOf(csv), "old");
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".out.csv")) << entry.path();
}

// What is not a regular file is refused before anything is written, and stays.
TEST(SongExport, ATargetThatIsNotAFileIsRefused) {
    TempDir dir;
    Files from(dir.path());
    std::filesystem::create_directory(dir.file("folder"));
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    std::filesystem::create_symlink(dir.file("nothing"), dir.file("dangling"));
    const struct {
        const char* name;
        const char* why;
    } cases[] = {{"folder", "it is a folder."},
                 {"pipe", "it is a pipe."},
                 {"dangling", "it is a link to nothing."}};
    for (const auto& c : cases) {
        SongExport out(from.catalogue, SongExport::allFields(), true);
        EXPECT_FALSE(out.start(dir.file(c.name)));
        EXPECT_EQ(out.failureTitle() + ": " + out.failureText(),
                  "Cannot CREATE " + dir.file(c.name) + ": " + c.why);
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::symlink_status(dir.file(c.name))));
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("nothing")));
}

}  // namespace
}  // namespace cdz::test
