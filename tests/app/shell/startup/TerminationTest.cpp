// SIGTERM while the real cdzapp waits on a message box nobody answers: the box closes as Escape
// would, the program ends, and the dialog log shows the box from the moment it opened.
#include <QJsonDocument>
#include <QJsonObject>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "tests/app/shell/startup/AppProcess.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

namespace fs = std::filesystem;

QJsonObject json(const std::string& line) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
}

// The log once it shows a dialog waiting for its answer; empty when none showed in time.
std::vector<std::string> waitForShownDialog(const AppProcess& app) {
    for (int i = 0; i < 600; ++i) {
        const std::vector<std::string> log = app.log();
        if (!log.empty() && json(log.back())["shown"].toBool()) return log;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return {};
}

TEST(Termination, SigtermClosesTheOpenBoxAsEscapeWouldAndEndsTheProgram) {
    // A file's bytes, and a repair the files on a server are never offered.
    CDZ_FILES_ONLY();
    struct Case {
        const char* name;
        void (*prepare)(const fs::path& folder);
        const char* title;
        const char* answer;  // the escape button of the box
        int exitCode;
        std::vector<std::string> after;  // kinds logged after the answer
    };
    const Case cases[] = {
        // A damaged album file: the file access warning (OK), then the "Disk Error" halt,
        // whose box is not shown any more.
        {"damaged file",
         [](const fs::path& folder) {
             std::ofstream(folder / "cdzalbum.tps", std::ios::binary) << std::string(3000, 'x');
         },
         "File Access Error",
         "OK",
         1,
         {"halt"}},
        // The repair offer of a start after a crash: No, and the frame never opens.
        {"repair offer",
         [](const fs::path& folder) {
             std::ofstream(folder / "CDZRUN.INI") << "[CDZAPP]\nBadFile=cdzalbum\n";
             std::ofstream(folder / "cdzalbum.tps") << "left by a crash";  // a file to repair
         },
         "Warning",
         "No",
         0,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        c.prepare(dir.path());
        AppProcess app(dir.path(), std::nullopt);
        ASSERT_TRUE(app.start(false));
        const std::vector<std::string> shown = waitForShownDialog(app);
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(json(shown[0])["title"].toString().toStdString(), c.title);

        app.terminate();
        EXPECT_EQ(app.finish(20000), c.exitCode);  // a hang fails here instead of waiting on
        const std::vector<std::string> log = app.log();
        ASSERT_EQ(log.size(), 2 + c.after.size());
        EXPECT_EQ(json(log[1])["answer"].toString().toStdString(), c.answer);
        EXPECT_EQ(json(log[1])["title"].toString().toStdString(), c.title);
        for (size_t i = 0; i < c.after.size(); ++i)
            EXPECT_EQ(json(log[2 + i])["kind"].toString().toStdString(), c.after[i]);
        // Nothing was left half-written for the next start to recover.
        for (const auto& entry : fs::directory_iterator(dir.path()))
            EXPECT_FALSE(entry.path().string().ends_with("-journal")) << entry.path();
    }
}

}  // namespace
}  // namespace cdz::test
