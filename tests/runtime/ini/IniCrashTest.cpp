// Writes from other processes: killed midway, limited midway, and racing each other.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "runtime/ini/IniDocument.h"
#include "runtime/ini/IniFile.h"
#include "tests/runtime/ini/WriterValue.h"
#include "tests/support/BuiltPaths.h"
#include "tests/support/TempDir.h"

extern char** environ;

namespace cdz {
namespace {

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

pid_t startWriter(const std::vector<std::string>& args) {
    std::vector<std::string> all{cdz::test::builtProgram("ini_writer_child")};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
    return pid;
}

int waitFor(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// A settings file with neighbours that every write must keep, and a large key so that one
// write takes long enough for kills to land inside it.
std::string initialSettings() {
    return "; settings\n[Settings]\nAddMode=1\n\n[Big]\nPad=" + std::string(300000, 'p') +
           "\n[Window]\nXPos=10\n";
}

// The file must be the initial one with Counter either absent or holding one whole value.
void expectOldOrNew(const std::string& text, int padding) {
    const IniDocument doc(text);
    std::string expected = initialSettings();
    if (const auto counter = doc.value("Settings", "Counter")) {
        const long i = std::stol(*counter);
        ASSERT_EQ(*counter, test::writerValue(i, padding)) << "torn value";
        IniDocument rebuilt(expected);
        rebuilt.set("Settings", "Counter", *counter);
        expected = rebuilt.text();
    }
    ASSERT_EQ(text, expected);
}

TEST(IniCrash, KilledWriterLeavesTheOldOrTheNewFile) {
    test::TempDir dir;
    const std::string path = dir.file("CDZSETS.INI");
    std::ofstream(path, std::ios::binary) << initialSettings();
    const int padding = 20000;

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayUs(0, 40000);
    int killedAlive = 0;
    for (int round = 0; round < 40; ++round) {
        const pid_t pid =
            startWriter({"loop", path, "Settings", "Counter", "0", std::to_string(padding)});
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        kill(pid, SIGKILL);
        const int status = waitFor(pid);
        if (WIFSIGNALED(status)) ++killedAlive;
        expectOldOrNew(slurp(path), padding);
        if (HasFatalFailure()) return;
    }
    EXPECT_GT(killedAlive, 30);  // the writer runs forever, so nearly every round kills it

    // The next write cleans up after the killed ones and still keeps every neighbour.
    IniFile ini(path);
    ASSERT_TRUE(ini.write("Settings", "Counter", test::writerValue(3, padding)));
    expectOldOrNew(slurp(path), padding);
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".CDZSETS.INI.tmp"));
}

TEST(IniCrash, WriteFailingAfterSomeBytesLeavesTheOldFile) {
    test::TempDir dir;
    const std::string path = dir.file("CDZSETS.INI");
    const std::string initial = initialSettings();
    const int padding = 1000;
    const size_t limits[] = {
        0, 1, 4096, initial.size() / 2, initial.size() + 10, initial.size() + 10000};
    for (size_t limit : limits) {
        SCOPED_TRACE("limit " + std::to_string(limit));
        std::ofstream(path, std::ios::binary | std::ios::trunc) << initial;
        const std::string out = dir.file("out.txt");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        std::vector<std::string> all{cdz::test::builtProgram("ini_writer_child"),
                                     "limit",
                                     path,
                                     "Settings",
                                     "Counter",
                                     std::to_string(padding),
                                     std::to_string(limit)};
        std::vector<char*> argv;
        for (std::string& a : all) argv.push_back(a.data());
        argv.push_back(nullptr);
        pid_t pid = -1;
        ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        const int status = waitFor(pid);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

        const std::string report = slurp(out);
        const std::string text = slurp(path);
        expectOldOrNew(text, padding);
        if (report == "written\n") {
            EXPECT_NE(text, initial);
        } else {
            EXPECT_EQ(text, initial);
            EXPECT_NE(report.find("cannot"), std::string::npos) << report;
        }
        // Only the largest limit leaves room for the whole new file.
        EXPECT_EQ(report == "written\n", limit > initial.size() + padding + 1000) << report;
    }
}

TEST(IniCrash, ConcurrentWritersOfDifferentKeysBothKeepTheirs) {
    test::TempDir dir;
    const std::string path = dir.file("CDZSETS.INI");
    std::ofstream(path, std::ios::binary) << "; shared\n[Settings]\nAddMode=1\n";
    const int writes = 150;
    const pid_t a =
        startWriter({"loop", path, "Settings", "StationA", std::to_string(writes), "10"});
    const pid_t b = startWriter({"loop", path, "Window", "StationB", std::to_string(writes), "10"});
    ASSERT_GT(a, 0);
    ASSERT_GT(b, 0);
    const int statusA = waitFor(a), statusB = waitFor(b);
    ASSERT_TRUE(WIFEXITED(statusA) && WEXITSTATUS(statusA) == 0);
    ASSERT_TRUE(WIFEXITED(statusB) && WEXITSTATUS(statusB) == 0);

    const IniFile ini(path);
    EXPECT_EQ(ini.read("Settings", "StationA"), test::writerValue(writes - 1, 10));
    EXPECT_EQ(ini.read("Window", "StationB"), test::writerValue(writes - 1, 10));
    EXPECT_EQ(ini.read("Settings", "AddMode"), "1");
    EXPECT_TRUE(slurp(path).starts_with("; shared\n[Settings]\nAddMode=1\n"));
}

}  // namespace
}  // namespace cdz
