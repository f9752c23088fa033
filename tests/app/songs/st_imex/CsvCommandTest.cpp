// cdzapp --import and --export as a user's script runs them: files of other programs' shapes,
// the exit status, the words printed, and the stored songs read as a user would (the sqlite3
// shell on the files, a connection of the test's own on the server).
#include <QProcess>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/app/core/startup/StoredCatalogue.h"
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
    return runProgram(CDZ_APP, QStringList(args)
                                   << "--data-dir" << QString::fromStdString(dir.file(""))
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
    EXPECT_NE(r.out.find("1 lines refused\n  line 4: text follows the closing quote of field 1"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(query(dir, R"(SELECT "ID", "Artist", "Title", "ReleaseDate", "Time" FROM "Cadenzio")"
                         R"( ORDER BY "ID")"),
              "1|ABBA|Waterloo|1974|16601\n"
              "2|Björk|Jóga|71870|0\n"
              "3|Nobody|Plain|0|0\n");
}

TEST(CsvCommand, ExportWritesEverySongThatTheImportTakesBack) {
    TempDir from, to;
    write(from.file("in.csv"), "MUS:Artist,MUS:Title,MUS:Notes\n\"A\",\"x \"\"y\"\"\",\"1\n2\"\n");
    ASSERT_EQ(cdzapp(from, {"--import", QString::fromStdString(from.file("in.csv"))}).status, 0);
    const Outcome out = cdzapp(from, {"--export", QString::fromStdString(from.file("out.csv"))});
    EXPECT_EQ(out.status, 0) << out.err;
    EXPECT_EQ(out.out, "1 songs written to " + from.file("out.csv") + "\n");
    const Outcome in = cdzapp(to, {"--import", QString::fromStdString(from.file("out.csv"))});
    EXPECT_EQ(in.status, 0) << in.err;
    const char* sql = R"(SELECT "ID", "Artist", "Title", "Notes" FROM "Cadenzio")";
    EXPECT_EQ(query(to, sql), query(from, sql));
    EXPECT_EQ(query(to, sql), "1|A|x \"y\"|1\n2\n");
}

TEST(CsvCommand, SaysWhyNothingWasImported) {
    struct Case {
        const char* name;
        std::string bytes;
        int status;
        std::string words;
        bool filesMade;  // whether the data files were opened at all
    };
    const std::vector<Case> cases = {
        {"empty file", "", 1, "is empty; nothing was imported", false},
        {"only a header", "MUS:Artist,MUS:Title\r\n", 1, "no song could be imported", true},
        {"no labels and no map", "\"ABBA\",\"Waterloo\"\n", 2, "names no song field", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        write(dir.file("in.csv"), c.bytes);
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
