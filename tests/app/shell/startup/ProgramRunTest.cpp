// Whole-program runs of cdzapp: scripted answers in, the logged dialogs out, checked word for
// word.
#include <QProcess>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/app/shell/startup/AppProcess.h"
#include "tests/support/BuiltPaths.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

struct ProgramResult {
    int exitCode = -1;
    std::vector<std::string> log;  // the dialog log's lines
};

ProgramResult runProgram(const TempDir& dir, const std::vector<std::string>& answers) {
    AppProcess app(dir.path(), answers);
    ProgramResult run;
    if (!app.start()) return run;
    run.exitCode = app.finish();
    run.log = app.log();
    return run;
}

TEST(ProgramRun, AFirstStartInAnEmptyFolderShowsNothingAndEndsWell) {
    TempDir dir;
    const ProgramResult run = runProgram(dir, {});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.log.empty());
    for (const char* f : {"cdzdata.tps", "cdzalbum.tps", "cdzmedia.tps", "cdzro.tps"}) {
        EXPECT_TRUE(fileStored(dir.path(), f)) << f;
    }
    std::ifstream profile(dir.file("CDZRUN.INI"));
    const std::string text((std::istreambuf_iterator<char>(profile)), {});
    EXPECT_NE(text.find("[CDZAPP]"), std::string::npos) << text;
    EXPECT_NE(text.find("BadFile="), std::string::npos) << text;
    EXPECT_EQ(text.find("BadFile=c"), std::string::npos) << text;
}

TEST(ProgramRun, TheRepairQuestionAnsweredNoGoesOnToTheFrame) {
    TempDir dir;
    ASSERT_EQ(runProgram(dir, {}).exitCode, 0);  // the files made, as a first start makes them
    std::ofstream(dir.file("CDZRUN.INI")) << "[CDZAPP]\nBadFile=cdzalbum\n";
    const ProgramResult run = runProgram(dir, {"No"});
    EXPECT_EQ(run.exitCode, 0);
    if (onServer()) {
        // A file on the server is not the repair program's: the start goes on without asking.
        EXPECT_TRUE(run.log.empty());
        return;
    }
    ASSERT_EQ(run.log.size(), 1u);
    EXPECT_EQ(run.log[0],
              R"({"answer":"No","buttons":["Yes","No"],"default":"Yes","icon":"information",)"
              R"("initial":"","kind":"message","text":"Warning : The program may have crashed )"
              R"(attempting to open the file cdzalbum. Do you wish to have the program attempt )"
              R"(to fix the file ? ","title":"Warning"})");
    // The frame opened the file, which cleared the marker.
    EXPECT_TRUE(fileStored(dir.path(), "cdzalbum.tps"));
    EXPECT_EQ(runProgram(dir, {}).log.size(), 1u);  // asked no more: the same log, one line
}

TEST(ProgramRun, ADamagedSongFileEndsTheProgramWithDiskError) {
    CDZ_FILES_ONLY();
    TempDir dir;
    std::ofstream(dir.file("cdzdata.tps"), std::ios::binary) << std::string(3000, '\x17');
    const ProgramResult run = runProgram(dir, {});
    EXPECT_NE(run.exitCode, 0);
    ASSERT_EQ(run.log.size(), 2u);
    EXPECT_EQ(run.log[0],
              R"({"answer":"OK","buttons":["OK"],"default":"OK","icon":"warning","initial":"",)"
              R"("kind":"message","text":"File (Cadenzio) could not be opened.  Error: file is )"
              R"(not a database (26).","title":"File Access Error"})");
    EXPECT_EQ(run.log[1], R"({"answer":"","buttons":[],"default":"","icon":"none","initial":"",)"
                          R"("kind":"halt","text":"Disk Error","title":""})");
}

TEST(ProgramRun, ADataFolderThatIsMissingOrNotAFolderIsRefused) {
    TempDir dir;
    std::ofstream(dir.file("songs.csv")) << "a file\n";
    const struct {
        std::string folder;
        std::string told;
    } cases[] = {
        {dir.file("nowhere"),
         "cdzapp: the data folder " + dir.file("nowhere") + " does not exist\n"},
        {dir.file("songs.csv"), "cdzapp: " + dir.file("songs.csv") +
                                    " is not a folder (--data-dir names the folder that holds "
                                    "the data files)\n"},
    };
    for (const auto& c : cases) {
        QProcess app;
        app.start(cdz::test::appPath(), {"--data-dir", QString::fromStdString(c.folder)});
        ASSERT_TRUE(app.waitForFinished(60000));
        EXPECT_EQ(app.exitCode(), 2);
        const std::string err = app.readAllStandardError().toStdString();
        EXPECT_TRUE(err.ends_with(c.told)) << err;
    }
}

TEST(ProgramRun, TheStartClearsPageSpoolsLeftByADeadProgram) {
    TempDir dir;
    const std::filesystem::path temp = dir.path() / "tmp";
    std::filesystem::create_directory(temp);
    QProcess dead;  // a program that has ended: its pid runs no more
    dead.start("true", {});
    ASSERT_TRUE(dead.waitForStarted(30000));
    const qint64 pid = dead.processId();
    ASSERT_TRUE(dead.waitForFinished(30000));
    const std::filesystem::path spool =
        temp / ("cdzpages-" + std::to_string(pid) + "-a1b2c3.spool");
    std::ofstream(spool) << "pages of a report that never finished";

    AppProcess app(dir.path(), std::vector<std::string>{});
    app.setVariable("TMPDIR", QString::fromStdString(temp.string()));
    ASSERT_TRUE(app.start());
    EXPECT_EQ(app.finish(), 0);
    EXPECT_FALSE(std::filesystem::exists(spool));
}

}  // namespace
}  // namespace cdz::test
