// cdzapp's command line where there is no display: --help lists the options of the windowed
// program and of every room's commands, --version answers, and two commands at once are refused
// before either runs.
#include <QProcess>
#include <QProcessEnvironment>

#include <QFile>

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/BuiltPaths.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

TEST(CommandLineRun, AnswersWithoutADisplayAndRefusesTwoCommandsAtOnce) {
    TempDir dir;
    const QString folder = QString::fromStdString(dir.path().string());
    const QString made = QString::fromStdString(dir.file("made"));
    const struct {
        QStringList args;
        int status;
        std::vector<std::string> printed;  // each somewhere on the standard output
        std::string told;                  // the error output
    } cases[] = {
        {{"--help"},
         0,
         {"Usage: cdzapp [options]\n",
          "--data-dir <folder>",
          "--no-splash",
          "--server <url>",
          "--catalogue <name>",
          "--cd-info [<drive-or-image>]",
          "--lookup",
          "--print <procedure>",
          "--pdf <file>",
          "--selected <text>",
          "--filter <expression>",
          "--album <number>",
          "--playlist <number>",
          "--print-label <number>",
          "--paper <A4|Letter>",
          "--import <file>",
          "--map <assignment>",
          "--export <file>",
          "--copy-to-server <url>",
          "--copy-from-server <url>"},
         ""},
        {{"--version"}, 0, {"Orvanta 98 2.0a\n"}, ""},
        {{"--import", made, "--export", made, "--data-dir", folder},
         2,
         {},
         "cdzapp: give either --import or --export, not both\n"},
        {{"--print", "PRINTMUS:SONGSBYARTIST", "--pdf", made, "--print-label", "1"},
         2,
         {},
         "cdzapp: give either --print or --print-label, not both\n"},
        {{"--copy-from-server", "postgresql:///none", "--copy-to-server", "postgresql:///none"},
         2,
         {},
         "cdzapp: give either --copy-to-server or --copy-from-server, not both\n"},
        // A command and the windowed program read the data folder alike.
        {{"--export", made, "--data-dir", cdz::test::appPath()},
         2,
         {},
         "cdzapp: " + std::string(cdz::test::appPath()) +
             " is not a folder (--data-dir names the folder that holds the data files)\n"},
    };
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(display);
    for (const auto& c : cases) {
        const std::string args = c.args.join(' ').toStdString();
        QProcess app;
        app.setProcessEnvironment(env);
        app.setWorkingDirectory(folder);
        app.start(cdz::test::appPath(), c.args);
        ASSERT_TRUE(app.waitForFinished(60000)) << args;
        EXPECT_EQ(app.exitStatus(), QProcess::NormalExit) << args;
        EXPECT_EQ(app.exitCode(), c.status) << args;
        const std::string out = app.readAllStandardOutput().toStdString();
        for (const std::string& p : c.printed) EXPECT_NE(out.find(p), std::string::npos) << p;
        EXPECT_EQ(app.readAllStandardError().toStdString(), c.told) << args;
        // Neither command of a refused pair made anything.
        EXPECT_FALSE(std::filesystem::exists(made.toStdString())) << args;
    }
}

// The same report of the same songs makes the same PDF file whatever the run: a line set in
// several fonts is written in one order, however each process's hashing orders Qt's runs.
TEST(CommandLineRun, TheSameReportMakesTheSameFileEachRun) {
    TempDir dir;
    const QString folder = QString::fromStdString(dir.path().string());
    QFile csv(folder + "/songs.csv");
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write(
        "Artist,Title,Album\n\"\xe6\x9d\xb1\xe4\xba\xac / A\xc3\xa7\xc3\xa3o\","
        "\"\xeb\x85\xb8\xeb\x9e\x98 \xe5\xa4\xa2 / Caf\xc3\xa9\",\"\xce\x9b "
        "\xe6\xb5\xb7 x\"\n");
    csv.close();
    const auto run = [&](const QStringList& args, const QString& seed) {
        QProcess app;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QT_HASH_SEED", seed);
        app.setProcessEnvironment(env);
        app.start(cdz::test::appPath(), QStringList{"--data-dir", folder} + args);
        return app.waitForFinished(60000) && app.exitCode() == 0;
    };
    ASSERT_TRUE(run({"--import", folder + "/songs.csv"}, "0"));
    QByteArray first;
    for (const QString seed : {"1", "2", "3", "4"}) {
        const QString pdf = folder + "/songs" + seed + ".pdf";
        ASSERT_TRUE(run({"--print", "PRINTMUS:SONGSBYARTIST", "--pdf", pdf}, seed));
        QFile file(pdf);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        if (first.isEmpty()) first = bytes;
        EXPECT_EQ(bytes, first) << "run with hash seed " << seed.toStdString();
    }
}

}  // namespace
}  // namespace cdz::test
