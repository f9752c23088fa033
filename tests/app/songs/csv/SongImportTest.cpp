// The import over real files into a real catalogue: each line a new song, dates that come
// back as dates, the lookup files kept whole, and a cancelled run that keeps what it added.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "app/domain/data/Catalogue.h"
#include "app/songs/csv/ImportAssignment.h"
#include "app/songs/csv/SongImport.h"
#include "runtime/text/DateTime.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

using F = CatalogueFile;
using namespace std::string_literals;

struct ImportFixture : ::testing::Test {
    TempDir dir;
    Catalogue catalogue{dir.path()};
    CsvLineReader reader;
    ImportAssignment assignment;
    std::string path = dir.file("songs.csv");

    void SetUp() override {
        for (F f : {F::Cadenzio, F::Categories, F::Media}) ASSERT_EQ(catalogue.use(f), 0);
    }

    // Opens the file and assigns its columns as the window would before OK.
    void prepare(const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
        ASSERT_TRUE(reader.open(path));
        std::vector<CsvField> first, second;
        if (reader.read() == CsvRead::Line)
            first.assign(reader.fields().begin(), reader.fields().end());
        if (reader.read() == CsvRead::Line)
            second.assign(reader.fields().begin(), reader.fields().end());
        assignment.setColumns(first, second);
        assignment.autoAssign();
    }

    std::vector<SongRecord> songs() {
        std::vector<SongRecord> out;
        DataFile& file = catalogue.file(F::Cadenzio);
        file.set(SongRecord::KeyID);
        while (file.next() == 0) out.push_back(catalogue.song());
        return out;
    }
};

TEST_F(ImportFixture, EachLineIsANewSongWithItsOwnNumberAndOnlyItsOwnValues) {
    prepare(
        "MUS:Artist,MUS:Title,MUS:ReleaseDate,MUS:Notes\n"
        "\"First\",\"Song\",\"03/15/1999\",\"a note\"\n"
        "\"Second\"\n"
        "\"Third\",\"Other\"\n");
    EXPECT_TRUE(assignment.stripHeader());
    SongImport run(catalogue, reader, assignment, path);
    run.start();
    while (run.step(25)) {
    }
    EXPECT_EQ(run.state(), ImportState::Completed);
    EXPECT_EQ(run.added(), 3);
    const std::vector<SongRecord> s = songs();
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0].ID, 1);
    EXPECT_EQ(s[0].ReleaseDate, dateFromYmd(1999, 3, 15));
    EXPECT_EQ(s[0].Notes, "a note");
    EXPECT_EQ(s[1].ID, 2);
    EXPECT_EQ(s[1].Artist, "Second");
    EXPECT_EQ(s[1].Title, "");
    EXPECT_EQ(s[1].ReleaseDate, 0);
    EXPECT_EQ(s[1].Notes, "");
    EXPECT_EQ(s[2].ID, 3);
    EXPECT_EQ(s[2].Title, "Other");
}

TEST_F(ImportFixture, DatesAndTimesWrittenAsTextComeBackAsDatesAndTimes) {
    prepare(
        "Artist,ReleaseDate,Time,LastPlayed\n"
        "a,\"03/15/1999\",\"0:03:25\",\"2024-02-29\"\n"
        "b,1999,\"\",\"\"\n");
    SongImport run(catalogue, reader, assignment, path);
    run.start();
    while (run.step(25)) {
    }
    const std::vector<SongRecord> s = songs();
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].ReleaseDate, dateFromYmd(1999, 3, 15));
    EXPECT_EQ(s[0].Time, timeFromHms(0, 3, 25));
    EXPECT_EQ(s[0].LastPlayed, dateFromYmd(2024, 2, 29));
    EXPECT_EQ(s[1].ReleaseDate, 1999);  // a bare year stays a year
    EXPECT_EQ(s[1].Time, 0);
}

// A number its field cannot hold refuses its line, with the line and the field; the other
// lines go on, and no category is made for a refused line.
TEST_F(ImportFixture, AValueOutsideItsFieldRefusesItsLine) {
    prepare(
        "Artist,ChartNumber,TrackNumber,BeatsPerMinute,CategoryID,Time,ReleaseDate\n"
        "a,-1,1,120,1,\"0:03:00\"\n"
        "b,1e5,1,120,1,\"0:03:00\"\n"
        "c,1,300,120,1,\"0:03:00\"\n"
        "d,1,1,99999999999,1,\"0:03:00\"\n"
        "e,1,1,120,99999999999,\"0:03:00\"\n"
        "f,1,1,120,1,\"-1:00:00\"\n"
        "g,255,99,32767,2147483647,\"1:00:00\"\n"
        "h\0x,1,1,1,1,\"0:01:00\"\n"
        "i,1,1,1,1,\"0:01:00\",2994627\n"s);
    SongImport run(catalogue, reader, assignment, path);
    run.start();
    while (run.step(25)) {
    }
    EXPECT_EQ(run.added(), 1);
    EXPECT_EQ(run.refused(), 8);
    EXPECT_EQ(run.notes(),
              (std::vector<std::string>{
                  "line 2: MUS:ChartNumber \"-1\" is not within 0 to 255",
                  "line 3: MUS:ChartNumber \"1e5\" is not within 0 to 255",
                  "line 4: MUS:TrackNumber \"300\" is not within 0 to 255",
                  "line 5: MUS:BeatsPerMinute \"99999999999\" is not within -2147483648 to "
                  "2147483647",
                  "line 6: MUS:CategoryID \"99999999999\" is not within -2147483648 to 2147483647",
                  "line 7: MUS:Time \"-1:00:00\" is before zero",
                  "line 8: category 2147483647 did not exist; it was added as \"Category "
                  "2147483647\"",
                  "line 9: field 1 holds a NUL character",
                  "line 10: MUS:ReleaseDate \"2994627\" is after the last day a date can hold "
                  "(31 December 9999)"}));
    ASSERT_EQ(songs().size(), 1u);
    EXPECT_EQ(songs()[0].Artist, "g");
    EXPECT_EQ(songs()[0].ChartNumber, 255);
    EXPECT_EQ(catalogue.file(F::Categories).records(), 1);
}

// A category name wins over a number on the same line; a name the file lacks takes the next
// number, a number the file lacks gets a made-up name.
TEST_F(ImportFixture, UnknownCategoriesAndMediaAreAddedToTheirFiles) {
    catalogue.category().CategoryID = 4;
    catalogue.category().Category = "Jazz";
    ASSERT_EQ(catalogue.file(F::Categories).add(), 0);
    prepare(
        "Artist,CategoryID,Genre,Media\n"
        "a,7,\"\",\"Vinyl 12in\"\n"
        "b,7,\"Jazz \",\"Vinyl 12in\"\n"
        "c,2,\"Folk, Rock\"\n"
        "d,0,\"Folk, Rock\"\n");
    SongImport run(catalogue, reader, assignment, path);
    run.start();
    while (run.step(25)) {
    }
    EXPECT_EQ(run.added(), 4);
    EXPECT_EQ(run.notes(),
              (std::vector<std::string>{
                  "line 2: category 7 did not exist; it was added as \"Category 7\"",
                  "line 2: media \"Vinyl 12in\" did not exist; it was added",
                  "line 4: category \"Folk, Rock\" did not exist; it was added as number 8"}));
    std::vector<int32_t> numbers;
    for (const SongRecord& s : songs()) numbers.push_back(s.CategoryID);
    EXPECT_EQ(numbers, (std::vector<int32_t>{7, 4, 8, 8}));
    catalogue.category().Category = "Folk, Rock";
    ASSERT_EQ(catalogue.file(F::Categories).get(CategoryRecord::KeyCategory), 0);
    EXPECT_EQ(catalogue.category().CategoryID.toInt(), 8);
    catalogue.media().Media = "Vinyl 12in";
    EXPECT_EQ(catalogue.file(F::Media).get(MediaRecord::KeyMedia), 0);
}

TEST_F(ImportFixture, CancelKeepsTheBatchesAddedAndCountsThem) {
    std::string bytes = "MUS:Artist\n";
    for (int i = 0; i < 10; ++i) bytes += "\"Artist " + std::to_string(i) + "\"\n";
    prepare(bytes);
    SongImport run(catalogue, reader, assignment, path);
    run.start();
    EXPECT_TRUE(run.step(4));
    run.cancel();
    EXPECT_FALSE(run.step(4));
    EXPECT_EQ(run.state(), ImportState::Cancelled);
    EXPECT_EQ(run.added(), 4);
    EXPECT_EQ(catalogue.file(F::Cadenzio).records(), 4);
    EXPECT_GT(run.percent(), 0);
    EXPECT_LT(run.percent(), 100);
}

TEST_F(ImportFixture, AHeaderOnlyFileAddsNothing) {
    prepare("MUS:Artist,MUS:Title\n");
    SongImport run(catalogue, reader, assignment, path);
    run.start();
    while (run.step(25)) {
    }
    EXPECT_EQ(run.state(), ImportState::Completed);
    EXPECT_EQ(run.added(), 0);
    EXPECT_EQ(catalogue.file(F::Cadenzio).records(), 0);
}

TEST(ImportAssignment, AutoSkipsTheFirstLineOnlyWhenALabelMatched) {
    const std::vector<CsvField> data = {{"Abba", true}, {"Waterloo", true}};
    ImportAssignment plain;
    plain.setColumns(data, data);
    EXPECT_EQ(plain.autoAssign(), 0);
    EXPECT_FALSE(plain.stripHeader());
    const std::vector<CsvField> labels = {{"Title", false}, {"MUS:Artist", false}};
    ImportAssignment headed;
    headed.setColumns(labels, data);
    EXPECT_EQ(headed.autoAssign(), 2);
    EXPECT_TRUE(headed.stripHeader());
    EXPECT_EQ(headed.targets()[0].column, 1);  // MUS:Artist
    EXPECT_EQ(headed.targets()[1].column, 0);  // MUS:Title
}

// Which field each column of the first line fills, by Auto or by a map, and which columns
// are told as not imported.
TEST(ImportAssignment, HeadersFillTheirFieldsAndTheOthersAreNamed) {
    struct Case {
        const char* name;
        std::vector<std::string> header;
        const char* map;                            // nullptr: Auto
        std::map<std::string, std::string> filled;  // field -> header of its column
        std::string unused;
    };
    const std::vector<Case> cases = {
        {"genre",
         {"Artist", "genre", "Length"},
         nullptr,
         {{"MUS:Artist", "Artist"}, {"CAT:Category", "genre"}},
         "columns not imported: Length"},
        {"category",
         {"CATEGORY", "Title"},
         nullptr,
         {{"CAT:Category", "CATEGORY"}, {"MUS:Title", "Title"}},
         ""},
        {"the export's labels",
         {"Year", "MUS:CategoryID", "CAT:Category", " Length "},
         nullptr,
         {{"MUS:CategoryID", "MUS:CategoryID"}, {"CAT:Category", "CAT:Category"}},
         "columns not imported: Year, Length"},
        {"a map by label",
         {"Name", "Style", "Year"},
         "Name=MUS:Artist,Style=CAT:Category",
         {{"MUS:Artist", "Name"}, {"CAT:Category", "Style"}},
         "columns not imported: Year"},
        {"a map by number",
         {"Abba", "Pop"},
         "Field_2=Genre",
         {{"CAT:Category", "Pop"}},
         "columns not imported: Field_1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<CsvField> first;
        for (const std::string& h : c.header) first.push_back({h, false});
        ImportAssignment a;
        a.setColumns(first, {});
        std::string why;
        if (c.map) {
            ASSERT_TRUE(a.applyMap(c.map, &why)) << why;
        } else {
            a.autoAssign();
        }
        std::map<std::string, std::string> filled;
        for (const ImportTarget& t : a.targets())
            if (t.column >= 0) filled[t.label] = c.header[static_cast<size_t>(t.column)];
        EXPECT_EQ(filled, c.filled);
        EXPECT_EQ(a.unusedColumnsText(), c.unused);
    }
}

TEST(ImportAssignment, AMapNamingAFieldTwiceIsRefused) {
    ImportAssignment a;
    const std::vector<CsvField> first{{"Name", false}, {"Band", false}};
    a.setColumns(first, {});
    std::string why;
    EXPECT_FALSE(a.applyMap("Name=MUS:Artist,Band=MUS:Artist", &why));
    EXPECT_EQ(why, "\"MUS:Artist\" is named twice");
}

}  // namespace
}  // namespace cdz::test
