// The data folder of a start from the desktop's menu (--desktop): the XDG rules for where it is,
// the folder made on the first start, a catalogue in the current folder left where it is and
// told of, and a folder that cannot be made refused with a message.
#include <QProcess>
#include <QProcessEnvironment>

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "app/engine/command/DataFolder.h"
#include "tests/support/BuiltPaths.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

namespace fs = std::filesystem;

TEST(DesktopDataFolder, FollowsTheXdgBaseDirectoryRules) {
    const struct {
        const char* xdgDataHome;
        const char* home;
        const char* expected;
    } cases[] = {
        {"/data/u", "/home/u", "/data/u/cadenzio"},
        {"", "/home/u", "/home/u/.local/share/cadenzio"},
        {"relative/data", "/home/u", "/home/u/.local/share/cadenzio"},  // ignored, as the rules say
        {"/data/u", "", "/data/u/cadenzio"},
        {"", "", ""},
        {"", "relative-home", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(desktopDataFolder(c.xdgDataHome, c.home), fs::path(c.expected))
            << c.xdgDataHome << " | " << c.home;
    }
}

struct AppRun {
    int status = -1;
    std::string err;
};

AppRun runApp(const fs::path& folder, const QStringList& args, const QString& xdgDataHome,
              const QString& home, const QProcessEnvironment& more = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_DATA_HOME", xdgDataHome);
    env.insert("HOME", home);
    env.insert(more);
    QProcess app;
    app.setProcessEnvironment(env);
    app.setWorkingDirectory(QString::fromStdString(folder.string()));
    app.start(cdz::test::appPath(), args);
    if (!app.waitForFinished(120000)) return {};
    return {app.exitStatus() == QProcess::NormalExit ? app.exitCode() : -1,
            app.readAllStandardError().toStdString()};
}

TEST(DesktopStart, KeepsTheCatalogueInTheDesktopsFolderAndLeavesTheCurrentOne) {
    TempDir dir;
    const fs::path work = dir.path() / "work";
    const fs::path home = dir.path() / "home";
    fs::create_directories(work);
    fs::create_directories(home);
    const QString homeText = QString::fromStdString(home.string());
    const QString csv = QString::fromStdString(dir.file("songs.csv"));

    // XDG_DATA_HOME absolute: the folder under it is made and holds the catalogue.
    const fs::path xdg = dir.path() / "xdg";
    AppRun run = runApp(work, {"--desktop", "--export", csv}, QString::fromStdString(xdg.string()),
                        homeText);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::exists(xdg / "cadenzio" / "cdzdata.tps")) << run.err;
    EXPECT_TRUE(fs::is_empty(work));
    // Made for the user alone, as the XDG rules ask, the missing folder above it too.
    for (const fs::path& made : {xdg, xdg / "cadenzio"})
        EXPECT_EQ(fs::status(made).permissions(), fs::perms::owner_all) << made;

    // A relative XDG_DATA_HOME is ignored: the home's .local/share is used.
    run = runApp(work, {"--desktop", "--export", csv}, "relative", homeText);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::exists(home / ".local/share/cadenzio/cdzdata.tps")) << run.err;
    EXPECT_FALSE(fs::exists(work / "relative"));

    // --data-dir wins over --desktop.
    const fs::path named = dir.path() / "named";
    fs::create_directories(named);
    run = runApp(
        work, {"--desktop", "--data-dir", QString::fromStdString(named.string()), "--export", csv},
        QString::fromStdString((dir.path() / "unused").string()), homeText);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::exists(named / "cdzdata.tps"));
    EXPECT_FALSE(fs::exists(dir.path() / "unused"));

    // A folder that cannot be made: told, and nothing runs.
    const fs::path blocker = dir.path() / "a-file";
    std::ofstream(blocker) << "not a folder";
    run = runApp(work, {"--desktop", "--export", csv}, QString::fromStdString(blocker.string()),
                 homeText);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("could not be made"), std::string::npos) << run.err;
}

TEST(DesktopStart, TellsOfACatalogueLeftInTheCurrentFolderOnTheFirstStart) {
    TempDir dir;
    const fs::path work = dir.path() / "work";
    fs::create_directories(work);
    std::ofstream(work / "CDZSETS.INI") << "[Settings]\n";
    const fs::path xdg = dir.path() / "xdg";
    const fs::path log = dir.path() / "dialogs.log";
    QProcessEnvironment more;
    more.insert("CDZ_QUIT_AFTER_START", "1");
    more.insert("CDZ_DIALOG_LOG", QString::fromStdString(log.string()));
    const fs::path answers = dir.path() / "answers";
    std::ofstream(answers) << "";
    more.insert("CDZ_DIALOG_ANSWERS", QString::fromStdString(answers.string()));

    AppRun run = runApp(work, {"--desktop", "--no-splash"}, QString::fromStdString(xdg.string()),
                        QString::fromStdString(dir.path().string()), more);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("stays where it is"), std::string::npos) << run.err;
    std::ifstream in(log);
    const std::string shown((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(shown.find("--data-dir " + work.string()), std::string::npos) << shown;
    EXPECT_TRUE(fs::exists(xdg / "cadenzio" / "cdzdata.tps"));
    // The current folder's files are where they were, and nothing was added to them.
    EXPECT_TRUE(fs::exists(work / "CDZSETS.INI"));
    EXPECT_FALSE(fs::exists(work / "cdzdata.tps"));

    // Told once: the second start finds the desktop's folder there.
    run = runApp(work, {"--desktop", "--no-splash"}, QString::fromStdString(xdg.string()),
                 QString::fromStdString(dir.path().string()), more);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err.find("stays where it is"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace cdz::test
