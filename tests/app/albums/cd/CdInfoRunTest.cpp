// cdzapp --cd-info run as a user runs it, on disc images named each way the program takes.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <fstream>

#include "tests/app/albums/cd/TitleServer.h"
#include "tests/runtime/cd/DiscImage.h"
#include "tests/support/BuiltPaths.h"
#include "tests/support/TempDir.h"

namespace cdz {
namespace {

using test::msf;

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// `cacheHome` stands for the user's cache folder; the run's event loop keeps going meanwhile, so
// a stand-in title service of this process answers.
ProgramRun runCdInfo(const QStringList& arguments, const QString& deviceVariable = {},
                     const QString& cacheHome = {}) {
    QProcess app;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("CDZ_CD_DEVICE");
    env.remove("DISPLAY");  // no window is needed
    env.remove("QT_QPA_PLATFORM");
    if (!deviceVariable.isEmpty()) env.insert("CDZ_CD_DEVICE", deviceVariable);
    if (!cacheHome.isEmpty()) env.insert("XDG_CACHE_HOME", cacheHome);
    app.setProcessEnvironment(env);
    app.start(cdz::test::appPath(), QStringList{"--cd-info"} + arguments);
    ProgramRun r;
    QElapsedTimer clock;
    clock.start();
    while (app.state() != QProcess::NotRunning && clock.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    if (app.state() != QProcess::NotRunning || app.exitStatus() != QProcess::NormalExit) return r;
    r.exitCode = app.exitCode();
    r.out = app.readAllStandardOutput().toStdString();
    r.err = app.readAllStandardError().toStdString();
    return r;
}

TEST(CdInfoRun, PrintsTheDiscOfTheImageNamedOnTheCommandLineInTheVariableOrInTheSettings) {
    test::TempDir dir;
    const QString cue = QString::fromStdString(
        test::writeDiscImage(dir.path(), "night",
                             {msf(4, 12, 33), msf(3, 48, 2), msf(62, 10, 0), msf(0, 59, 74)})
            .string());
    std::ofstream(dir.path() / "CDZSETS.INI")
        << "[Settings]\nCdDevice=" << cue.toStdString() << "\n";
    const QString folder = QString::fromStdString(dir.path().string());
    const std::string expected =
        "Tracks: 4\n"
        "Identifier: \" 44270012520122801373001\"\n"
        "Length: 71:10\n"
        "Track  1:  4:12\n"
        "Track  2:  3:48\n"
        "Track  3: 62:10\n"
        "Track  4:  0:59\n";
    const struct {
        const char* way;
        QStringList arguments;
        QString variable;
    } ways[] = {
        {"argument", {cue}, {}},
        {"variable", {}, cue},
        {"variable over setting", {"--data-dir", folder}, cue},
        {"setting", {"--data-dir", folder}, {}},
    };
    for (const auto& w : ways) {
        SCOPED_TRACE(w.way);
        const ProgramRun r = runCdInfo(w.arguments, w.variable);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, expected);
    }
}

TEST(CdInfoRun, PrintsTheCdTextWhereTheDiscCarriesIt) {
    test::TempDir dir;
    const CdText text{"Lanterns", "Nadia Korr", {"Blue Hour", ""}, {"", "Guest Singer"}};
    const auto cue = test::writeDiscImage(dir.path(), "titled", {msf(3, 25), msf(4, 10)}, text);
    const ProgramRun r = runCdInfo({QString::fromStdString(cue.string())});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "Tracks: 2\n"
              "Identifier: \" 2455012050125001\"\n"
              "Length:  7:35\n"
              "Performer: Nadia Korr\n"
              "Title: Lanterns\n"
              "Track  1:  3:25  Blue Hour\n"
              "Track  2:  4:10  Track 2 / Guest Singer\n");
}

// A sheet that is not there, is not a sheet, has no data file of its name, is of a data disc,
// or has tracks out of order or past its data: the fault and why.
TEST(CdInfoRun, ADiscThatCannotBeReadFailsWithItsTextAndWhy) {
    test::TempDir dir;
    const std::string missing = dir.file("gone.cue");
    const std::string malformed = dir.file("bad.cue");
    std::ofstream(malformed) << "TRACK 01 AUDIO\nthis is no sheet\n";
    std::ofstream(dir.file("bad.bin")) << "x";
    const std::string named = dir.file("named.cue");
    std::ofstream(named) << "FILE \"data.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n";
    const std::string data = dir.file("data.cue");
    std::ofstream(dir.file("data.bin")).write(std::string(2352 * 300, '\0').data(), 2352 * 300);
    std::ofstream(data)
        << "FILE \"data.bin\" BINARY\n  TRACK 01 MODE1/2352\n    INDEX 01 00:00:00\n";
    const std::string past = dir.file("past.cue");
    std::ofstream(dir.file("past.bin")).write(std::string(2352 * 1000, '\0').data(), 2352 * 1000);
    std::ofstream(past) << "FILE \"past.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                           "  TRACK 02 AUDIO\n    INDEX 01 03:00:00\n";
    const std::string unordered = dir.file("unordered.cue");
    std::ofstream(unordered)
        << "FILE \"data.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
           "  TRACK 03 AUDIO\n    INDEX 01 00:02:00\n";
    const struct {
        std::string sheet;
        std::string told;
    } cases[] = {
        {missing, "CD player not available. (" + missing +
                      ": the sheet cannot be read: No such file or directory)"},
        {malformed, "CD player not available. (" + malformed +
                        ": the sheet is not one that can be read: it needs a FILE line naming a "
                        "BINARY data file beside it, then TRACK and INDEX lines in order)"},
        {named, "CD player not available. (" + named +
                    ": the sheet's data file must be named named.bin and lie beside it)"},
        {data, "CD player not ready. (" + data + ": the disc holds no audio track)"},
        {past, "CD player not ready. (" + past +
                   ": track 2 has no length: it starts at or after the end of the disc's data)"},
        {unordered, "CD player not available. (" + unordered +
                        ": the sheet's track 3 follows track 1; tracks go in order)"},
    };
    for (const auto& c : cases) {
        const ProgramRun r = runCdInfo({QString::fromStdString(c.sheet)});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "cdzapp: " + c.told + "\n");
    }
}

TEST(CdInfoRun, LookupPrintsTheDiscIdAndTheServicesTitlesOrWhyItGaveNone) {
    test::TempDir dir;
    test::TitleServer server;
    server.answer({200, test::TitleServer::recorded("one.json"), 0});
    const QString cue = QString::fromStdString(
        test::writeDiscImage(dir.path(), "example", {15213, 16951, 14278, 16822, 17075, 14973})
            .string());
    const QString folder = QString::fromStdString(dir.path().string());
    const QString cache = QString::fromStdString((dir.path() / "cache").string());
    const auto runAt = [&](const std::string& address) {
        std::ofstream(dir.path() / "CDZSETS.INI")
            << "[Settings]\nMusicBrainzServer=" << address << "\nMusicBrainzTimeout=5\n";
        return runCdInfo({cue, "--lookup", "--data-dir", folder}, {}, cache);
    };
    const ProgramRun found = runAt(server.address());
    EXPECT_EQ(found.exitCode, 0) << found.err;
    EXPECT_NE(found.out.find("Disc ID: 49HHV7Eb8UKF3aQiNmu1GR8vKTY-\n"
                             "Release 1: Lanterns / Nadia Korr (1997, GB, 6 tracks)\n"
                             "  Track  1: Blue Hour / Nadia Korr\n"),
              std::string::npos)
        << found.out;
    EXPECT_NE(found.out.find("  Track  3: Tidewater / Nadia Korr & Ivo Lind\n"), std::string::npos);

    const std::string down = test::TitleServer::downAddress();
    const ProgramRun none = runAt(down);
    EXPECT_EQ(none.exitCode, 2) << none.err;
    EXPECT_NE(none.out.find("Lookup: The title service at " + down + " could not be reached"),
              std::string::npos)
        << none.out;
}

}  // namespace
}  // namespace cdz
