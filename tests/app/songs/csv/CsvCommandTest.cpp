// cdzapp --import and --export as a user's script runs them: files of other programs' shapes,
// the exit status, the words printed, and the stored songs read as a user would (the sqlite3
// shell on the files, a connection of the test's own on the server).
#include <sys/stat.h>

#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "tests/app/shell/startup/StoredCatalogue.h"
#include "tests/app/songs/csv/DiscogsExportFile.h"
#include "tests/support/BuiltPaths.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

Outcome runProgram(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    Outcome r;
    if (!p.waitForFinished(120000)) return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput().toStdString();
    r.err = p.readAllStandardError().toStdString();
    return r;
}

Outcome cdzapp(const TempDir& dir, const QStringList& args) {
    return runProgram(cdz::test::appPath(),
                      QStringList(args) << "--data-dir" << QString::fromStdString(dir.file(""))
                                        << catalogueArguments(dir.path()));
}

std::string query(const TempDir& dir, const char* sql) {
    return storedRows(dir.path(), "cdzdata.tps", sql);
}

void write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(CsvCommand, ImportsAnotherProgramsFileByItsMap) {
    TempDir dir;
    // Columns in another order, a bare year, a quoted date, a refused line, empty lines.
    write(dir.file("other.csv"),
          "Song,Year,Name,Length\r\n"
          "\"Waterloo\",1974,\"ABBA\",\"0:02:46\"\r\n"
          "\"Jóga\",\"10/06/1997\",\"Björk\",\r\n"
          "\"Bad\"x,1,2\r\n"
          "Plain,,Nobody\r\n"
          "\r\n\r\n");
    const Outcome r =
        cdzapp(dir, {"--import", QString::fromStdString(dir.file("other.csv")), "--map",
                     "Name=MUS:Artist,Song=MUS:Title,Year=MUS:ReleaseDate,"
                     "Length=MUS:Time"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("3 songs added from"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("1 line refused\n  line 4: text follows the closing quote of field 1"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(query(dir, R"(SELECT "ID", "Artist", "Title", "ReleaseDate", "Time" FROM "Cadenzio")"
                         R"( ORDER BY "ID")"),
              "1|ABBA|Waterloo|1974|16601\n"
              "2|Björk|Jóga|71870|0\n"
              "3|Nobody|Plain|0|0\n");
    // The catalogue the import made starts with the standard media names, as a window's does.
    EXPECT_EQ(storedRows(dir.path(), "cdzmedia.tps", R"(SELECT count(*) FROM "Media")"), "12\n");
}

TEST(CsvCommand, ExportWritesEverySongThatTheImportTakesBack) {
    TempDir from, to;
    write(from.file("in.csv"), "MUS:Artist,MUS:Title,MUS:Notes\n\"A\",\"x \"\"y\"\"\",\"1\n2\"\n");
    ASSERT_EQ(cdzapp(from, {"--import", QString::fromStdString(from.file("in.csv"))}).status, 0);
    const Outcome out = cdzapp(from, {"--export", QString::fromStdString(from.file("out.csv"))});
    EXPECT_EQ(out.status, 0) << out.err;
    EXPECT_EQ(out.out, "1 song written to " + from.file("out.csv") + "\n");
    const Outcome in = cdzapp(to, {"--import", QString::fromStdString(from.file("out.csv"))});
    EXPECT_EQ(in.status, 0) << in.err;
    const char* sql = R"(SELECT "ID", "Artist", "Title", "Notes" FROM "Cadenzio")";
    EXPECT_EQ(query(to, sql), query(from, sql));
    EXPECT_EQ(query(to, sql), "1|A|x \"y\"|1\n2\n");
}

// The folder's songs in artist order, every field but the song number, each ending with its
// category's name in place of the number: an import numbers the categories it adds itself.
std::string songsWithCategoryNames(const TempDir& dir) {
    std::map<std::string, std::string> names;
    std::istringstream categories(storedRows(
        dir.path(), "CDZCAT.tps", R"(SELECT "CategoryID", "Category" FROM "Categories")"));
    for (std::string row; std::getline(categories, row);) {
        const size_t bar = row.find('|');
        names[row.substr(0, bar)] = row.substr(bar + 1);
    }
    std::istringstream songs(query(
        dir, R"(SELECT "Artist", "Title", "Album", "Media", "FileNumber", "ReleaseDate",)"
             R"( "ChartNumber", "TrackNumber", "Side", "Time", "UserDefinedKeyField",)"
             R"( "AdditionalInformation1", "AdditionalInformation2", "AdditionalInformation3",)"
             R"( "BeatsPerMinute", "Style", "Recording", "Composer", "PerformanceNotes",)"
             R"( "LastPlayed", "Notes", "Rating", "AlbumID", "CategoryID" FROM "Cadenzio")"
             R"( ORDER BY "Artist")"));
    std::string out;
    for (std::string row; std::getline(songs, row);) {
        const size_t bar = row.rfind('|');
        const std::string number = row.substr(bar + 1);
        out += row.substr(0, bar + 1) + (number == "0" ? "" : "[" + names[number] + "]") + "\n";
    }
    return out;
}

// Songs in several categories go out and come back three times in a row, each time into an
// empty folder: every field the same, each category by its name.
TEST(CsvCommand, CategoriesComeBackByNameThroughRepeatedRoundTrips) {
    TempDir first;
    write(first.file("in.csv"),
          "MUS:Artist,MUS:Title,MUS:Album,MUS:Media,MUS:ReleaseDate,MUS:Time,MUS:TrackNumber,"
          "MUS:Composer,MUS:LastPlayed,MUS:Notes,Genre,Length\r\n"
          "\"Björk\",\"Jóga\",\"Homogenic\",\"CD\",\"09/22/1997\",\"0:05:05\",3,\"Björk, "
          "Sjón\",\"2024-02-29\",\"a \"\"b\"\"\",\"Música\",305\r\n"
          "\"ABBA\",\"Waterloo\",\"Waterloo\",\"LP\",1974,\"0:02:46\",1,,,,\"Rock, Pop\",166\r\n"
          "\"Miles Davis\",\"So What\",\"Kind of Blue\",\"LP\",1959,\"0:09:22\",1,,,,\"Jazz\",\r\n"
          "\"Nobody\",\"Untitled\"\r\n"
          "\"Cher\",\"Believe\",,\"CD\",1998,,,,,,\"Rock, Pop\",\r\n");
    const Outcome made = cdzapp(first, {"--import", QString::fromStdString(first.file("in.csv"))});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_NE(made.out.find("\ncolumns not imported: Length\n"), std::string::npos) << made.out;
    EXPECT_EQ(storedRows(first.path(), "CDZCAT.tps",
                         R"(SELECT "CategoryID", "Category" FROM "Categories" ORDER BY 1)"),
              "1|Música\n2|Rock, Pop\n3|Jazz\n");
    const std::string original = songsWithCategoryNames(first);
    ASSERT_EQ(std::count(original.begin(), original.end(), '['), 4) << original;
    TempDir copies[3];
    const TempDir* from = &first;
    for (const TempDir& to : copies) {
        SCOPED_TRACE(&to - copies);
        const QString csv = QString::fromStdString(from->file("out.csv"));
        const Outcome out = cdzapp(*from, {"--export", csv});
        ASSERT_EQ(out.status, 0) << out.err;
        const Outcome in = cdzapp(to, {"--import", csv});
        ASSERT_EQ(in.status, 0) << in.err;
        EXPECT_EQ(in.out.find("not imported"), std::string::npos) << in.out;
        EXPECT_EQ(songsWithCategoryNames(to), original);
        from = &to;
    }
}

// A Discogs export goes in as albums, said as such; the same file again adds none and says
// why, line by line, with the song import's exit status for nothing imported.
TEST(CsvCommand, ImportsADiscogsExportAsAlbumsOnce) {
    TempDir dir;
    const std::string csv = dir.file("collection.csv");
    write(csv, DiscogsExportFile::bytes());
    const Outcome first = cdzapp(dir, {"--import", QString::fromStdString(csv)});
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out.rfind("Discogs collection export: importing albums\n43 albums added from " +
                                  csv + " (its first line, the header, skipped)\n" +
                                  "column not imported: Date Added\n" +
                                  "6 lines refused (1 album already in the catalogue)\n",
                              0),
              0u)
        << first.out;
    for (const char* refusal : DiscogsExportFile::kRefusals)
        EXPECT_NE(first.out.find(std::string("\n  ") + refusal + "\n"), std::string::npos)
            << refusal;
    EXPECT_NE(first.out.find("\n  line 7: media \"FLAC\" did not exist; it was added\n"),
              std::string::npos);
    EXPECT_NE(first.out.find("\n2 values were cut to fit their fields\n"), std::string::npos);
    const std::string albums = R"(SELECT "AlbumID", "Artist", "Album", "Media", "ReleaseDate",)"
                               R"( "Rating" FROM "Album" WHERE "AlbumID" <= 4 ORDER BY 1)";
    const std::string made =
        "1|Nirvana|Nevermind|CD|69666|5\n2|Nirvana|In Utero|Vinyl|70131|\n"
        "3|Bob Marley & The Wailers|Exodus|Cassette|64438|4\n"
        "4|Various|Café del Mar|FLAC|0|3\n";
    EXPECT_EQ(storedRows(dir.path(), "cdzalbum.tps", albums), made);

    const Outcome again = cdzapp(dir, {"--import", QString::fromStdString(csv)});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.out.find("\n0 albums added from "), std::string::npos) << again.out;
    EXPECT_NE(
        again.out.find("\n49 lines refused (44 albums already in the catalogue)\n  line 2: "
                       "the album \"Nevermind\" by \"Nirvana\" is already in the catalogue\n"),
        std::string::npos)
        << again.out;
    EXPECT_NE(again.err.find("no album could be imported from " + csv), std::string::npos);
    EXPECT_EQ(storedRows(dir.path(), "cdzalbum.tps", R"(SELECT count(*) FROM "Album")"), "43\n");
    EXPECT_EQ(storedRows(dir.path(), "cdzalbum.tps", albums), made);
}

TEST(CsvCommand, SaysWhyNothingWasImported) {
    struct Case {
        const char* name;
        std::string bytes;
        int status;
        std::string words;
        bool filesMade;  // whether the data files were opened at all
        void (*make)(const std::string& path) = nullptr;  // in place of the bytes
    };
    // What is not a file is refused at once: a pipe would wait for a writer, a device never end.
    const std::vector<Case> cases = {
        {"empty file", "", 1, "is empty; nothing was imported", false},
        {"only a header", "MUS:Artist,MUS:Title\r\n", 1, "no song could be imported", true},
        {"no labels and no map", "\"ABBA\",\"Waterloo\"\n", 2, "names no song field", false},
        {"a folder", "", 1, "it is a folder, not a file", false,
         [](const std::string& p) { std::filesystem::create_directory(p); }},
        {"a pipe", "", 1, "it is a pipe, not a file", false,
         [](const std::string& p) { ::mkfifo(p.c_str(), 0600); }},
        {"a device", "", 1, "it is a device, not a file", false,
         [](const std::string& p) { std::filesystem::create_symlink("/dev/zero", p); }},
        {"a file of the system's", "", 1, "it is made by the system as it is read, not a file",
         false,
         [](const std::string& p) { std::filesystem::create_symlink("/proc/self/status", p); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        if (c.make) {
            c.make(dir.file("in.csv"));
        } else {
            write(dir.file("in.csv"), c.bytes);
        }
        const Outcome r = cdzapp(dir, {"--import", QString::fromStdString(dir.file("in.csv"))});
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.words), std::string::npos) << r.err;
        if (c.filesMade) {
            EXPECT_EQ(query(dir, R"(SELECT count(*) FROM "Cadenzio")"), "0\n");
        } else {
            EXPECT_FALSE(fileStored(dir.path(), "cdzdata.tps"));
        }
    }
}

}  // namespace
}  // namespace cdz::test
