// A folder of real audio files scanned into a catalogue in a temporary folder: where each tag
// lands, albums and compilations, pictures, files skipped, and the scans again that find nothing,
// a changed file, a song the user edited, and a file gone.
#include <gtest/gtest.h>

#include <QImage>

#include <fstream>
#include <map>

#include "app/audiofiles/AudioScan.h"
#include "runtime/data/DataFile.h"
#include "runtime/text/DateTime.h"
#include "tests/runtime/data/TestDatabase.h"
#include "tests/support/TempDir.h"
#include "tests/support/audio/AudioFileMaker.h"

namespace cdz::test {
namespace {

namespace fs = std::filesystem;
using F = CatalogueFile;

AudioTags tagged(const char* title, const char* artist, const char* album, int track) {
    AudioTags t;
    t.title = title;
    t.artist = artist;
    t.album = album;
    t.track = track;
    return t;
}

class AudioScanTest : public testing::Test {
protected:
    TempDir dir;
    fs::path music = dir.path() / "music";
    fs::path data = dir.path() / "data";
    std::unique_ptr<Catalogue> cat;

    void SetUp() override {
        fs::create_directories(music);
        fs::create_directories(data);
        cat = std::make_unique<Catalogue>(data, testServer(data));
    }

    fs::path make(const fs::path& folder, const std::string& name, AudioFormat format,
                  const AudioTags& tags) {
        fs::create_directories(music / folder);
        return makeAudioFile(music / folder, name, format, tags);
    }

    AudioScanSummary scan(int batch = 3) {
        FileUse files(*cat, {F::Cadenzio, F::Album, F::Categories, F::Media, F::AudioFiles});
        EXPECT_TRUE(files.ok());
        AudioScan run(*cat, music, {});
        EXPECT_TRUE(run.start());
        while (run.step(batch)) {
        }
        EXPECT_EQ(run.state(), ScanState::Completed) << run.failureText();
        return run.summary();
    }

    template <class Record>
    std::vector<Record> all(F file, int key) {
        FileUse use(*cat, {file});
        std::vector<Record> out;
        DataFile& f = cat->file(file);
        EXPECT_EQ(f.set(key), 0);
        while (f.next() == 0) out.push_back(*static_cast<Record*>(f.record()));
        return out;
    }
    std::vector<SongRecord> songs() { return all<SongRecord>(F::Cadenzio, SongRecord::KeyID); }
    std::vector<AlbumRecord> albums() {
        return all<AlbumRecord>(F::Album, AlbumRecord::KeyAlbumID);
    }
    std::string categoryName(int32_t id) {
        for (const auto& c : all<CategoryRecord>(F::Categories, CategoryRecord::KeyCategoryID))
            if (c.CategoryID.toInt() == id) return c.Category.str();
        return {};
    }
    // The data files' bytes: a scan that writes nothing leaves them as they were.
    std::map<std::string, std::string> dataBytes() {
        std::map<std::string, std::string> out;
        for (const auto& e : fs::directory_iterator(data)) {
            if (!e.is_regular_file() || e.path().extension() != ".tps") continue;
            std::ifstream in(e.path(), std::ios::binary);
            out[e.path().filename()] = std::string(std::istreambuf_iterator<char>(in), {});
        }
        return out;
    }
    void touchLater(const fs::path& file) {
        fs::last_write_time(file, fs::last_write_time(file) + std::chrono::seconds(5));
    }
};

TEST_F(AudioScanTest, EachFormatsTagsLandInTheSongFields) {
    AudioTags t = tagged("Édith's Ŝong 日本", "Édith Piaf; Charles Aznavour", "Duos", 3);
    t.albumArtist = "Édith Piaf";
    t.disc = 2;
    t.discTotal = 2;
    t.year = 1947;
    t.month = 6;
    t.day = 1;
    t.genre = "Chanson";
    t.composer = "Louiguy";
    t.comment = "Live";
    for (AudioFormat format : {AudioFormat::Flac, AudioFormat::Mp3, AudioFormat::OggVorbis}) {
        SCOPED_TRACE(audioExtension(format));
        fs::remove_all(data);
        fs::create_directories(data);
        cat = std::make_unique<Catalogue>(data, testServer(dir.path() / audioExtension(format)));
        fs::remove_all(music);
        make("Duos", "song", format, t);
        const AudioScanSummary s = scan();
        EXPECT_EQ(s.added, 1);
        const auto found = songs();
        ASSERT_EQ(found.size(), 1u);
        const SongRecord& song = found[0];
        EXPECT_EQ(song.Title, t.title);
        EXPECT_EQ(song.Artist, "Édith Piaf; Charles Aznavour");
        EXPECT_EQ(song.Album, "Duos");
        EXPECT_EQ(song.TrackNumber, 3);
        EXPECT_EQ(song.Side, "2");
        EXPECT_EQ(song.ReleaseDate, dateFromYmd(1947, 6, 1));
        EXPECT_EQ(song.Composer, "Louiguy");
        EXPECT_EQ(song.Notes, "Live");
        EXPECT_EQ(song.Media, "CD");  // the media file holds no MP3 or OGG
        EXPECT_GT(song.Time, timeFromHms(0, 0, 0));
        EXPECT_EQ(categoryName(song.CategoryID), "Chanson");
        const auto made = albums();
        ASSERT_EQ(made.size(), 1u);
        EXPECT_EQ(made[0].Artist, "Édith Piaf");  // the album artist's
        EXPECT_EQ(song.AlbumID, made[0].AlbumID);
    }
}

TEST_F(AudioScanTest, FilesOfAFolderMakeOneAlbumACompilationByItsAlbumArtistOrVarious) {
    for (int i = 1; i <= 4; ++i) {
        AudioTags t = tagged("Hit", ("Singer " + std::to_string(i)).c_str(), "Hits", i);
        make("Hits", "hit" + std::to_string(i), AudioFormat::Mp3, t);
        t.albumArtist = "Various Artists";
        t.album = "Tagged";
        make("Tagged", "hit" + std::to_string(i), AudioFormat::Flac, t);
    }
    const AudioScanSummary s = scan(3);  // each folder spans two batches
    EXPECT_EQ(s.added, 8);
    EXPECT_EQ(s.albumsMade, 2);
    std::map<std::string, int32_t> byTitle;
    for (const AlbumRecord& a : albums()) byTitle[a.Album.str()] = a.AlbumID;
    ASSERT_EQ(byTitle.size(), 2u);
    for (const AlbumRecord& a : albums())
        EXPECT_EQ(a.Artist, a.Album == "Hits" ? "Various" : "Various Artists");
    for (const SongRecord& song : songs()) EXPECT_EQ(song.AlbumID, byTitle[song.Album.str()]);
}

TEST_F(AudioScanTest, UntaggedBrokenAndStrayFilesAreNamedOrSkippedWithWhy) {
    make("Bare Folder", "Track Seven", AudioFormat::Flac, {});
    make("Bare Folder", "notes.txt", AudioFormat::Flac, {});
    std::ofstream(music / "Bare Folder" / "broken.flac") << "fLaC but nothing after";
    std::ofstream(music / "Bare Folder" / "empty.mp3");
    const AudioScanSummary s = scan();
    EXPECT_EQ(s.added, 1);
    const auto found = songs();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].Title, "Track Seven");
    EXPECT_EQ(found[0].Album, "Bare Folder");
    std::map<std::string, std::string> skipped;
    for (const SkippedFile& f : s.skipped) skipped[fs::path(f.path).filename()] = f.reason;
    EXPECT_EQ(skipped, (std::map<std::string, std::string>{{"broken.flac", "Damaged audio file"},
                                                           {"empty.mp3", "Empty file"},
                                                           {"notes.txt", "Not an audio file"}}));
    EXPECT_EQ(s.skippedCount, 3);
}

TEST_F(AudioScanTest, AnEmbeddedOrAFolderPictureBecomesTheAlbumsPictureOnce) {
    QImage red(40, 40, QImage::Format_RGB32);
    red.fill(Qt::red);
    red.save(QString::fromStdString((dir.path() / "red.png").string()));
    std::ifstream in(dir.path() / "red.png", std::ios::binary);
    AudioTags t = tagged("One", "Band", "Covered", 1);
    t.frontCover = AudioPicture{"image/png", std::string(std::istreambuf_iterator<char>(in), {})};
    make("Covered", "one", AudioFormat::Flac, t);
    make("Covered", "two", AudioFormat::Flac, tagged("Two", "Band", "Covered", 2));
    make("Beside", "one", AudioFormat::Mp3, tagged("One", "Band", "Beside", 1));
    fs::copy_file(dir.path() / "red.png", music / "Beside" / "Folder.PNG");
    // A disc's folder takes the picture of the album's folder it is in.
    make("Double/Disc 1", "one", AudioFormat::Mp3, tagged("One", "Band", "Double", 1));
    make("Double/Disc 2", "one", AudioFormat::Mp3, tagged("Two", "Band", "Double", 1));
    fs::copy_file(dir.path() / "red.png", music / "Double" / "cover.png");
    const AudioScanSummary s = scan();
    EXPECT_EQ(s.albumsMade, 3);
    EXPECT_EQ(s.pictures, 3);
    EXPECT_EQ(s.skippedCount, 0);  // the folder's picture is no stray file
    for (const AlbumRecord& a : albums()) {
        SCOPED_TRACE(a.Album.str());
        const std::string path(a.AssociatedImage.clipped());
        EXPECT_EQ(fs::path(path).parent_path(), data / "Pictures");
        EXPECT_EQ(QImage(QString::fromStdString(path)).pixelColor(5, 5), QColor(Qt::red));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(data / "Pictures"), fs::directory_iterator()),
              3);
}

TEST_F(AudioScanTest, ScansAgainWriteOnlyWhatChangedAndLeaveEditedSongsAlone) {
    const fs::path a = make("Album", "a", AudioFormat::Flac, tagged("A", "Band", "Album", 1));
    const fs::path b = make("Album", "b", AudioFormat::Flac, tagged("B", "Band", "Album", 2));
    const fs::path c = make("Album", "c", AudioFormat::Flac, tagged("C", "Band", "Album", 3));
    scan();
    const auto before = dataBytes();
    const AudioScanSummary same = scan();
    EXPECT_EQ(same.unchanged, 3);
    EXPECT_EQ(same.read, 0);
    if (!onServer()) {
        EXPECT_EQ(dataBytes(), before) << "an unchanged folder was written";
    }

    {  // the user retitles song B
        FileUse use(*cat, {F::Cadenzio});
        cat->song().ID = songs()[1].ID;
        ASSERT_EQ(cat->file(F::Cadenzio).get(SongRecord::KeyID), 0);
        cat->song().Title = "B (my title)";
        ASSERT_EQ(cat->file(F::Cadenzio).put(), 0);
    }
    makeAudioFile(music / "Album", "a", AudioFormat::Flac, tagged("A2", "Band", "Album", 1));
    makeAudioFile(music / "Album", "b", AudioFormat::Flac, tagged("B2", "Band", "Album", 2));
    touchLater(a);
    touchLater(b);
    fs::remove(c);
    const AudioScanSummary changed = scan();
    EXPECT_EQ(changed.updated, 1);
    EXPECT_EQ(changed.leftEdited, 1);
    EXPECT_EQ(changed.added, 0);
    EXPECT_EQ(changed.gone, std::vector<std::string>{c.string()});
    const auto found = songs();
    ASSERT_EQ(found.size(), 3u);  // a gone file's song stays
    EXPECT_EQ(found[0].Title, "A2");
    EXPECT_EQ(found[1].Title, "B (my title)");
    EXPECT_EQ(scan().read, 0);  // the edited song is not asked about again
}

}  // namespace
}  // namespace cdz::test
