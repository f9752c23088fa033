// `cdzapp --add-files` killed at random moments: what it committed stays, the next scan adds the
// rest, and every file ends as exactly one song; and the command's summary and exit status.
#include <gtest/gtest.h>

#include <QProcess>

#include <chrono>
#include <fstream>
#include <random>
#include <set>
#include <thread>

#include "app/domain/data/Catalogue.h"
#include "tests/support/BuiltPaths.h"
#include "tests/support/KillRounds.h"
#include "tests/support/TempDir.h"
#include "tests/support/audio/AudioFileMaker.h"

namespace cdz::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using F = CatalogueFile;

constexpr int kRounds = killRounds(6);
constexpr int kFiles = 1200;  // past two of the command's batches

struct Outcome {
    int status = -1;
    std::string out;
};

QStringList arguments(const fs::path& music, const fs::path& data) {
    return {"--add-files", QString::fromStdString(music.string()), "--data-dir",
            QString::fromStdString(data.string())};
}

Outcome addFiles(const fs::path& music, const fs::path& data, int killAfterMs = -1) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    p.start(appPath(), arguments(music, data));
    Outcome r;
    if (killAfterMs >= 0 && !p.waitForFinished(killAfterMs)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    if (!p.waitForFinished(180000)) return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput().toStdString();
    return r;
}

class AddFilesRun : public testing::Test {
protected:
    static void SetUpTestSuite() {
        music_ = new TempDir;
        for (int i = 0; i < kFiles; ++i) {
            const fs::path folder = music_->path() / ("Album " + std::to_string(i / 12));
            fs::create_directories(folder);
            AudioTags t;
            t.title = "Track " + std::to_string(i);
            t.artist = "Band " + std::to_string(i / 12);
            t.album = "Album " + std::to_string(i / 12);
            t.track = i % 12 + 1;
            makeAudioFile(folder, std::to_string(i % 12), AudioFormat::Flac, t);
        }
    }
    static void TearDownTestSuite() { delete music_; }

    static inline TempDir* music_ = nullptr;
    TempDir data;

    // Each file as one song: the paths the catalogue knows, none twice, and as many songs.
    static void expectEveryFileOnce(const fs::path& folder) {
        Catalogue cat(folder);
        FileUse use(cat, {F::Cadenzio, F::AudioFiles});
        ASSERT_TRUE(use.ok());
        std::set<std::string> paths;
        DataFile& files = cat.file(F::AudioFiles);
        ASSERT_EQ(files.set(), 0);
        while (files.next() == 0) EXPECT_TRUE(paths.insert(cat.audioFile().Path).second);
        EXPECT_EQ(paths.size(), static_cast<size_t>(kFiles));
        EXPECT_EQ(cat.file(F::Cadenzio).records(), kFiles);
    }
};

TEST_F(AddFilesRun, TellsWhatItDidAndFindsNothingTheSecondTime) {
    const Outcome first = addFiles(music_->path(), data.path());
    EXPECT_EQ(first.status, 0);
    EXPECT_NE(first.out.find("Songs added: 1200\n"), std::string::npos) << first.out;
    EXPECT_NE(first.out.find("Albums made: 100\n"), std::string::npos) << first.out;
    const Outcome second = addFiles(music_->path(), data.path());
    EXPECT_EQ(second.status, 0);
    EXPECT_NE(second.out.find("Files read: 0\nSongs added: 0\n"), std::string::npos);
    expectEveryFileOnce(data.path());
    EXPECT_EQ(addFiles(data.path() / "no such folder", data.path()).status, 2);
}

TEST_F(AddFilesRun, LosslessFilesTakeTheMediaNameTheSettingsOrTheOrderGive) {
    std::ofstream(data.path() / "CDZSETS.INI") << "[AudioFiles]\nLosslessMedia=Vinyl\n";
    ASSERT_EQ(addFiles(music_->path(), data.path()).status, 0);
    Catalogue cat(data.path());
    FileUse use(cat, {F::Cadenzio});
    ASSERT_TRUE(use.ok());
    DataFile& songs = cat.file(F::Cadenzio);
    ASSERT_EQ(songs.set(), 0);
    ASSERT_EQ(songs.next(), 0);
    EXPECT_EQ(cat.song().Media, "Vinyl");  // every file here is FLAC
}

TEST_F(AddFilesRun, AKilledScanKeepsWhatItCommittedAndTheNextCompletesIt) {
    const auto begin = Clock::now();
    ASSERT_EQ(addFiles(music_->path(), data.path()).status, 0);
    const auto whole = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - begin);
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> at(0, static_cast<int>(whole.count()));
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        TempDir fresh;
        addFiles(music_->path(), fresh.path(), at(random));
        // The next run opens the catalogue as the program does, after a kill, and adds the rest:
        // a batch written in part (a song without its file's record) would add a song twice.
        ASSERT_EQ(addFiles(music_->path(), fresh.path()).status, 0);
        expectEveryFileOnce(fresh.path());
    }
}

}  // namespace
}  // namespace cdz::test
