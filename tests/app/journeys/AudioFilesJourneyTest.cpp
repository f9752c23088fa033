// A folder of audio files added from the song browse's button and from the File menu, three times
// in a row: the first adds every song and album once, the next ones find nothing to add; the
// browse shows the songs; a song deleted in the browse comes back with the next scan; and a
// scan cancelled midway keeps its whole batches, which the next scan completes.
#include <fstream>

#include "app/audiofiles/AddFilesWindow.h"
#include "app/songs/SongBrowse.h"
#include "tests/app/journeys/Journey.h"
#include "tests/support/TempDir.h"
#include "tests/support/audio/AudioFileMaker.h"

namespace cdz::test {
namespace {

namespace fs = std::filesystem;
using F = CatalogueFile;

class AudioFilesJourney : public Journey {
protected:
    TempDir music;

    void makeCollection() {
        const char* albums[] = {"Rumours", "Кино", "Blue"};
        for (int a = 0; a < 3; ++a) {
            const fs::path folder = music.path() / albums[a];
            fs::create_directories(folder);
            for (int t = 1; t <= 4; ++t) {
                AudioTags tags;
                tags.title = "Track " + std::to_string(t);
                tags.artist = "Band " + std::to_string(a);
                tags.album = albums[a];
                tags.track = t;
                makeAudioFile(folder, std::to_string(t),
                              t % 2 ? AudioFormat::Flac : AudioFormat::Mp3, tags);
            }
        }
        std::ofstream(music.path() / "Rumours" / "liner notes.txt") << "not music";
    }

    int64_t records(F file) {
        FileUse use(catalogue(), {file});
        return catalogue().file(file).records();
    }

    // Runs the scan the way `start` opens it, answering the folder question, and gives the
    // summary the window told.
    std::string addFiles(const std::function<void()>& start) {
        const size_t mark = markDialogs();
        dialogs().queue(music.path().string());
        start();
        EXPECT_TRUE(waitFor([&] { return dialogsSince(mark).size() >= 2; }));
        settle();
        const auto told = dialogsSince(mark);
        EXPECT_EQ(told.size(), 2u);  // the folder question and the summary
        return told.empty() ? std::string() : told.back();
    }
};

TEST_F(AudioFilesJourney, AFolderAddedThreeTimesGivesEachSongAndAlbumOnce) {
    makeCollection();
    choose("actBrowseSongs");
    auto* browse = window<SongBrowse>(SongBrowse::kProcedure);
    ASSERT_NE(browse, nullptr);
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE(round);
        const std::string summary = round == 2
                                        ? addFiles([&] { choose("actAddAudioFiles"); })
                                        : addFiles([&] { press(*browse, "AddAudioFilesButton"); });
        const char* added = round == 1 ? "Songs added: 12|" : "Songs added: 0|";
        EXPECT_NE(summary.find(added), std::string::npos) << summary;
        EXPECT_NE(summary.find("Files skipped: 1|"), std::string::npos) << summary;
        EXPECT_NE(summary.find("liner notes.txt: Not an audio file"), std::string::npos);
        EXPECT_EQ(records(F::Cadenzio), 12);
        EXPECT_EQ(records(F::Album), 3);
        EXPECT_EQ(records(F::AudioFiles), 12);
        EXPECT_TRUE(waitFor([&] { return browse->windowTitle() == "Songs - 12 entries"; }));
        expectFilesCheckOut();
    }
}

TEST_F(AudioFilesJourney, ASongDeletedInTheBrowseComesBackWithTheNextScan) {
    makeCollection();
    choose("actBrowseSongs");
    auto* browse = window<SongBrowse>(SongBrowse::kProcedure);
    ASSERT_NE(browse, nullptr);
    addFiles([&] { press(*browse, "AddAudioFilesButton"); });
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE(round);
        dialogs().queue(Button::Ok);  // "Are you sure you want to delete ...?"
        press(*browse, "DeleteButton");
        EXPECT_EQ(records(F::Cadenzio), 11);
        EXPECT_EQ(records(F::AudioFiles), 11);  // its file's record went with it
        const std::string summary = addFiles([&] { press(*browse, "AddAudioFilesButton"); });
        EXPECT_NE(summary.find("Songs added: 1|"), std::string::npos) << summary;
        EXPECT_NE(summary.find("Albums made: 0|"), std::string::npos) << summary;
        EXPECT_EQ(records(F::Cadenzio), 12);
        EXPECT_EQ(browse->windowTitle(), "Songs - 12 entries");
        expectFilesCheckOut();
    }
}

TEST_F(AudioFilesJourney, CancelKeepsWholeBatchesAndTheNextScanAddsTheRest) {
    const int files = 4 * AddFilesWindow::kBatch;
    for (int i = 0; i < files; ++i) {
        const fs::path folder = music.path() / ("Album " + std::to_string(i / 10));
        fs::create_directories(folder);
        AudioTags tags;
        tags.title = "Track " + std::to_string(i);
        tags.artist = "Band";
        tags.album = "Album " + std::to_string(i / 10);
        makeAudioFile(folder, std::to_string(i % 10), AudioFormat::Mp3, tags);
    }
    choose("actBrowseSongs");
    auto* browse = window<SongBrowse>(SongBrowse::kProcedure);
    ASSERT_NE(browse, nullptr);
    int64_t total = 0;
    for (int round = 1; round <= 3 && total < files; ++round) {
        SCOPED_TRACE(round);
        // Cancel is pressed, as a person would, once the window shows songs added.
        QTimer watch;
        watch.setInterval(2);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            auto* scan = window<AddFilesWindow>("AddFilesWindow");
            if (!scan || !scan->running() || scan->scan().summary().added == 0) return;
            watch.stop();
            press(*scan, "CancelButton");
        });
        watch.start();
        const std::string summary = addFiles([&] { press(*browse, "AddAudioFilesButton"); });
        const int64_t songs = records(F::Cadenzio);
        EXPECT_EQ(records(F::AudioFiles), songs);  // each song with its file's record
        if (songs < files) {
            EXPECT_NE(summary.find("The scan was cancelled"), std::string::npos) << summary;
            EXPECT_EQ(songs % AddFilesWindow::kBatch, 0) << "whole batches only";
        }
        EXPECT_GT(songs, total);
        if (round == 1) {
            EXPECT_LT(songs, files) << "the first scan was not cancelled";
        }
        total = songs;
    }
    addFiles([&] { press(*browse, "AddAudioFilesButton"); });
    EXPECT_EQ(records(F::Cadenzio), files);
    EXPECT_EQ(records(F::AudioFiles), files);
    expectFilesCheckOut();
}

}  // namespace
}  // namespace cdz::test
