// The label wizard's texts: songs gathered from the songs file, the listings per side, the
// length suffix, the delimiter, the file-number path.
#include <QString>

#include <gtest/gtest.h>

#include "app/engine/state/AppState.h"
#include "app/labels/LabelWizardSongs.h"
#include "app/labels/LabelWizardText.h"
#include "runtime/text/DateTime.h"
#include "runtime/ui/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

struct Song {
    std::string title;
    int track = 0;
    const char* side = "";
    std::int32_t time = 0;
};

void addAlbumSongs(AppState& state, std::int32_t albumId, const std::vector<Song>& songs) {
    Catalogue& c = state.catalogue();
    ASSERT_EQ(c.use(CatalogueFile::Cadenzio), 0);
    DataFile& file = c.file(CatalogueFile::Cadenzio);
    for (const Song& s : songs) {
        file.clearBuffer();
        c.song().Title = s.title;
        c.song().Artist = "Ana";
        c.song().Album = "Roads";
        c.song().Media = "Cassette";
        c.song().FileNumber = "  T-7";
        c.song().AlbumID = albumId;
        c.song().TrackNumber = static_cast<std::uint8_t>(s.track);
        c.song().Side = s.side;
        c.song().Time = s.time;
        ASSERT_EQ(file.add(), 0);
    }
    c.release(CatalogueFile::Cadenzio);
}

int lines(const std::string& memo) {
    return memo.empty() ? 0 : static_cast<int>(QString::fromStdString(memo).count("\r\n")) + 1;
}

TEST(LabelWizardText, AnAlbumOfSixtySongsListsFiftyAndSaysSo) {
    TempDir dir;
    AppState state(dir.path(), std::make_unique<ScriptedDialogs>());
    std::vector<Song> songs;
    for (int i = 1; i <= 60; ++i) songs.push_back({"Song " + std::to_string(i), i});
    addAlbumSongs(state, 4, songs);
    const LabelWizardGathering got = LabelWizardSongs::ofAlbum(state.catalogue(), 4, false, false);
    EXPECT_EQ(got.songs.size(), 50u);
    EXPECT_TRUE(got.leftOut);
    LabelRecord label;
    EXPECT_TRUE(LabelWizardText::listings(label, got.songs, ".").empty());
    EXPECT_EQ(lines(label.CDCoverText), 50);
    EXPECT_EQ(lines(label.CassetteContentsA), 50);
    EXPECT_EQ(label.CDCoverText.substr(0, 10), "1. Song 1\r");
}

TEST(LabelWizardText, SidesLengthsAndTheDelimiterMakeTheLines) {
    TempDir dir;
    AppState state(dir.path(), std::make_unique<ScriptedDialogs>());
    addAlbumSongs(state, 9,
                  {{"Opening", 1, "A", timeFromHms(0, 3, 25)},
                   {"Closing", 1, "B", timeFromHms(1, 2, 3)},
                   {"Highway", 2, "1", timeFromHms(0, 12, 34)},
                   {"Bonus", 3, ""}});
    const LabelWizardGathering got = LabelWizardSongs::ofAlbum(state.catalogue(), 9, false, false);
    ASSERT_EQ(got.songs.size(), 4u);
    EXPECT_FALSE(got.leftOut);
    LabelRecord label;
    LabelWizardText::listings(label, got.songs, "-");
    EXPECT_EQ(label.CassetteContentsA, "3- Bonus\r\n1- Opening (3:25)\r\n2- Highway (12:34)");
    EXPECT_EQ(label.CassetteContentsB, "3- Bonus\r\n1- Closing (1:02:03)");
    EXPECT_EQ(lines(label.CDInsideText), 4);
    EXPECT_EQ(LabelWizardText::lengthSuffix(0, "4:10   "), " (4:10)");
    EXPECT_EQ(LabelWizardText::lengthSuffix(0, "00:00"), "");
}

TEST(LabelWizardText, AFullListingEndsAtALineEndAndSaysSo) {
    std::vector<LabelWizardSong> songs;
    for (int i = 1; i <= 50; ++i) songs.push_back({"1", i, std::string(70, 'x')});
    LabelRecord label;
    const std::vector<std::string> notices = LabelWizardText::listings(label, songs, ".");
    EXPECT_LE(label.CassetteContentsA.size(), 1500u);
    EXPECT_EQ(label.CassetteContentsA.substr(label.CassetteContentsA.size() - 70),
              std::string(70, 'x'));
    EXPECT_EQ(lines(label.CassetteContentsA), 19);
    EXPECT_EQ(lines(label.CDCoverText), 26);
    EXPECT_EQ(notices.size(), 3u);  // the two covers and Side A; Side B holds none
}

TEST(LabelWizardText, TheFileNumberPathTrimsTheNumberAndKeepsThePicture) {
    TempDir dir;
    AppState state(dir.path(), std::make_unique<ScriptedDialogs>());
    addAlbumSongs(state, 0, {{"Opening", 1, "1"}, {"Closing", 2, "2"}});
    SongRecord chosen;
    chosen.FileNumber = "  T-7";
    chosen.Media = "Cassette";
    chosen.Album = "Roads";
    chosen.Artist = "Ana";
    LabelRecord label;
    label.ImageName = "keep.png";
    LabelWizardText::fromSong(label, chosen, false);
    EXPECT_EQ(label.LabelDescription, "File Number T-7");
    EXPECT_EQ(label.CDSpine, "File Number T-7 Roads - Ana");
    EXPECT_EQ(label.CassetteTitle, "File Number T-7\r\nRoads\r\nAna");
    LabelWizardText::fromSong(label, chosen, true);
    EXPECT_EQ(label.CDTitle, "File Number T-7 Ana - Roads");
    const LabelWizardGathering got = LabelWizardSongs::ofSong(state.catalogue(), chosen, false);
    ASSERT_EQ(got.songs.size(), 2u);
    EXPECT_EQ(got.songs[0].text, "Closing - Ana");
    EXPECT_EQ(label.ImageName, "keep.png");
}

}  // namespace
}  // namespace cdz::test
