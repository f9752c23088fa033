// `cdzgen --into` killed at random moments, ten rounds: the folder holds the old catalogue or
// the whole new one, never part of one, and the next run completes and clears what the killed
// one left beside the folder.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "app/domain/data/Catalogue.h"
#include "tests/support/BuiltPaths.h"
#include "tests/support/TempDir.h"

extern char** environ;

namespace cdz::gen {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

int64_t recordsIn(const fs::path& folder, CatalogueFile file) {
    Catalogue cat(folder);
    if (cat.use(file)) return -1;
    return cat.file(file).records();
}

pid_t started(const fs::path& folder, int songs) {
    const std::string gen = cdz::test::builtProgram("cdzgen");
    const std::string into = folder.string(), count = std::to_string(songs);
    std::vector<char*> argv{const_cast<char*>(gen.c_str()),
                            const_cast<char*>("--into"),
                            const_cast<char*>(into.c_str()),
                            const_cast<char*>("--replace"),
                            const_cast<char*>("--songs"),
                            const_cast<char*>(count.c_str()),
                            nullptr};
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, gen.c_str(), &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    // Never -1 to the callers: a kill of -1 would reach every process of the user.
    return failed == 0 ? pid : 0;
}

int finished(pid_t pid) {
    int status = 0;
    if (pid <= 0 || ::waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(BenchCatalogueIntoKill, AKilledWriteLeavesTheOldCatalogueOrTheWholeNewOne) {
    test::TempDir dir;
    const fs::path folder = dir.path() / "cat";
    const int sizes[] = {6000, 9000};
    auto begin = Clock::now();
    ASSERT_EQ(finished(started(folder, sizes[0])), 0);
    const auto whole = Clock::now() - begin;
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<long long> at(0, whole.count());
    for (int round = 0; round < 10; ++round) {
        SCOPED_TRACE(round);
        const int old = sizes[round % 2], next = sizes[(round + 1) % 2];
        const pid_t pid = started(folder, next);
        ASSERT_GT(pid, 0) << "the generator did not start";
        std::this_thread::sleep_for(Clock::duration(at(random)));
        ::kill(pid, SIGKILL);
        finished(pid);
        const int64_t songs = recordsIn(folder, CatalogueFile::Cadenzio);
        EXPECT_TRUE(songs == old || songs == next) << songs;
        EXPECT_EQ(recordsIn(folder, CatalogueFile::Album), songs / 10);
        ASSERT_EQ(finished(started(folder, next)), 0);
        EXPECT_EQ(recordsIn(folder, CatalogueFile::Cadenzio), next);
        for (const auto& entry : fs::directory_iterator(dir.path()))
            EXPECT_EQ(entry.path().filename(), "cat") << "left beside: " << entry.path();
    }
}

}  // namespace
}  // namespace cdz::gen
