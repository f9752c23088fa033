// Starts of the real cdzapp killed at random moments, and two starts at once on an empty folder:
// whatever the moment, the next start ends well, every data file is whole and the media list
// holds its twelve names.
#include <QJsonDocument>
#include <QJsonObject>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "tests/app/shell/startup/AppProcess.h"
#include "tests/support/KillRounds.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRounds = killRounds(40);
constexpr int kRaces = 12;

// A start killed inside an open leaves the bad-file marker, and the next start offers to repair
// that file. The file is whole (an interrupted write is rolled back from its journal), so the
// right answer is No: the program goes on and opens it.
bool isRepairOffer(const std::string& line) {
    const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
    return o["kind"].toString() == "message" && o["title"].toString() == "Warning" &&
           o["text"].toString().startsWith(
               "Warning : The program may have crashed attempting to open the file ");
}

void expectNoOtherDialog(const std::vector<std::string>& log) {
    for (const auto& line : log) EXPECT_TRUE(isRepairOffer(line)) << line;
}

// Every data file passes the stock shell's integrity check (one shell for all of them: the
// media file with the others attached); on the server, every file's kept record count is its
// rows'. The media list holds its twelve names.
void expectWholeFiles(const fs::path& folder) {
    const char* others[] = {"cdzdata.tps", "cdzalbum.tps", "cdzro.tps"};
    std::string sql;
    if (onServer()) {
        for (const char* f : others) {
            EXPECT_EQ(storedRows(folder, f,
                                 "SELECT count(*) FROM cdz_layout l WHERE l.records <> "
                                 "(xpath('/row/n/text()', query_to_xml(format('SELECT "
                                 "count(*) AS n FROM %I', l.tbl), false, true, '')))[1]::text"
                                 "::bigint"),
                      "0\n")
                << f;
        }
    } else {
        int files = 0;
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.path().extension() != ".tps" || entry.path().filename() == "cdzmedia.tps")
                continue;
            sql += "ATTACH '" + entry.path().string() + "' AS f" + std::to_string(++files) + ";";
        }
        EXPECT_EQ(files, std::size(others));  // besides the media file
        sql += "PRAGMA integrity_check;";
    }
    sql += "SELECT count(*) FROM \"Media\";";
    EXPECT_EQ(storedRows(folder, "cdzmedia.tps", sql), onServer() ? "12\n" : "ok\n12\n");
}

// How long a first start takes here (slower under the sanitizers): kills land anywhere in it.
Clock::duration firstStartTime(const fs::path& folder) {
    AppProcess app(folder, AppProcess::Answers{});
    const auto begin = Clock::now();
    EXPECT_TRUE(app.start());
    EXPECT_EQ(app.finish(), 0);
    return Clock::now() - begin;
}

TEST(StartKill, EveryStartAfterAKillEndsWellWithWholeFilesAndTwelveMediaNames) {
    TempDir root;
    const auto span =
        std::chrono::duration_cast<std::chrono::microseconds>(firstStartTime(root.path()));
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<long long> moment(0, span.count());

    fs::path folder;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        // Even rounds kill a first start in an empty folder. Odd rounds kill a later start in
        // the folder the round before left, then a start on what that kill left.
        const bool fresh = round % 2 == 0;
        if (fresh) {
            folder = root.path() / ("folder" + std::to_string(round));
            fs::create_directory(folder);
        }
        for (int kill = 0; kill < (fresh ? 1 : 2); ++kill) {
            AppProcess killed(folder, AppProcess::Answers{"No"},
                              "killed" + std::to_string(round) + "-" + std::to_string(kill));
            ASSERT_TRUE(killed.start());
            std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
            killed.kill();
            expectNoOtherDialog(killed.log());
        }
        AppProcess next(folder, AppProcess::Answers{"No"}, "next" + std::to_string(round));
        ASSERT_TRUE(next.start());
        EXPECT_EQ(next.finish(), 0);
        expectNoOtherDialog(next.log());
        expectWholeFiles(folder);
        if (::testing::Test::HasFailure()) return;
    }
}

TEST(StartRace, TwoProgramsStartingAtOnceOnAnEmptyFolderBothEndWell) {
    for (int round = 0; round < kRaces; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        TempDir dir;
        AppProcess first(dir.path(), AppProcess::Answers{}, "first");
        AppProcess second(dir.path(), AppProcess::Answers{}, "second");
        ASSERT_TRUE(first.start());
        ASSERT_TRUE(second.start());
        EXPECT_EQ(first.finish(), 0);
        EXPECT_EQ(second.finish(), 0);
        EXPECT_EQ(first.log(), std::vector<std::string>{});
        EXPECT_EQ(second.log(), std::vector<std::string>{});
        expectWholeFiles(dir.path());
        if (::testing::Test::HasFailure()) return;
    }
}

}  // namespace
}  // namespace cdz::test
