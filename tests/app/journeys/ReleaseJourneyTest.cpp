// Albums found without their disc, against a stand-in title service and picture archive: by
// barcode through the add-album wizard (the scanner's Enter searching, the third candidate taken
// with its cover), and by artist and title through the album form, whose Fetch Cover then names
// the picture; three rounds each, the album and song files checked after each.
#include <QBuffer>
#include <QCheckBox>
#include <QImage>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>

#include <cstdlib>

#include "app/albums/cd/ReleaseFill.h"
#include "app/albums/wizard/AlbumWizard.h"
#include "app/engine/browse/BrowseList.h"
#include "runtime/text/DateTime.h"
#include "tests/app/albums/cd/TitleServer.h"
#include "tests/app/engine/RunningForm.h"
#include "tests/app/journeys/Journey.h"
#include "tests/support/TempDir.h"
#include "tests/support/WindowDriving.h"

namespace cdz::test {
namespace {

const char* const kIds[] = {"rel-harbour-cd", "rel-harbour-lp",
                            "a1b2c3d4-0000-4000-8000-00000000000c"};

class ReleaseJourney : public Journey {
protected:
    void SetUp() override {
        ASSERT_EQ(setenv("XDG_CACHE_HOME", cache_.path().c_str(), 1), 0);
        Journey::SetUp();
        state().settings().musicBrainzServer = server_.address();
        state().settings().coverArtServer = server_.address() + "/archive";
        server_.answer("/ws/2/release/?", {200, TitleServer::recorded("search.json"), 0});
        // Each candidate looks up as the two-disc release under a title of its own.
        const QByteArray release = TitleServer::recorded("release-2cd.json");
        for (int i = 0; i < 3; ++i) {
            QByteArray own = release;
            own.replace(
                "\"title\": \"Harbour Lights\",\n \"status\"",
                "\"title\": \"Harbour Lights " + QByteArray::number(i + 1) + "\",\n \"status\"");
            own.replace("a1b2c3d4-0000-4000-8000-00000000000c", kIds[i]);
            server_.answer(QByteArray("/ws/2/release/") + kIds[i], {200, own, 0});
        }
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QBuffer png(&cover_);
        png.open(QIODevice::WriteOnly);
        image.save(&png, "PNG");
        server_.answer("/archive/release/", {200, cover_, 0, "image/png"});
    }
    void TearDown() override {
        Journey::TearDown();
        unsetenv("XDG_CACHE_HOME");
    }

    // The album of `title` as "artist/media/date: picture?; notes | track.title[side](time)...".
    std::string album(const std::string& title) {
        FileUse files(catalogue(), {CatalogueFile::Album, CatalogueFile::Cadenzio});
        DataFile& albums = catalogue().file(CatalogueFile::Album);
        EXPECT_EQ(albums.set(), 0);
        int32_t id = 0;
        std::string out;
        while (albums.next() == 0) {
            const AlbumRecord& a = catalogue().album();
            if (a.Album.str() != title) continue;
            id = a.AlbumID;
            const QImage picture(QString::fromStdString(a.AssociatedImage.str()));
            out = a.Artist.str() + "/" + a.Media.str() + "/" + std::to_string(a.ReleaseDate) +
                  (picture.isNull() ? ": no picture; " : ": picture; ") + a.Notes + " |";
        }
        DataFile& songs = catalogue().file(CatalogueFile::Cadenzio);
        EXPECT_EQ(songs.set(SongRecord::SongsByAlbum), 0);
        int count = 0;
        while (id && songs.next() == 0) {
            const SongRecord& s = catalogue().song();
            if (s.AlbumID != id) continue;
            // The first of each disc and the duet stand for the rest (an album by a single
            // artist gives every song the album's artist).
            if (++count == 1 || count == 12 || count == 14)
                out += " " + std::to_string(int(s.TrackNumber)) + "." + s.Title.str() + "[" +
                       s.Side.str() + "](" + s.Artist.str() + "," + std::to_string(s.Time) + ")";
        }
        return out + " " + std::to_string(count);
    }

    // The find window, once up: the boxes typed, Enter, the candidate taken.
    void findIn(QWidget& find, const char* box, const QString& typed, int candidate, bool cover) {
        type(find.findChild<QLineEdit*>(box), typed);
        auto* edit = find.findChild<QLineEdit*>(box);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Return);
        auto* list = find.findChild<QTableWidget*>("CandidateList");
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->rowCount(), 4);
        list->selectRow(candidate);
        find.findChild<QCheckBox*>("FetchCoverCheck")->setChecked(cover);
        press(find, "UseButton");
    }

    TempDir cache_;
    TitleServer server_;
    QByteArray cover_;
};

TEST_F(ReleaseJourney, ByBarcodeThroughTheWizardWithItsCover) {
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE(round);
        const size_t mark = markDialogs();
        choose("actAddSingleArtist");
        QWidget* wizard = window(AlbumWizard::kSingleArtistProcedure);
        ASSERT_NE(wizard, nullptr);
        bool used = false;
        whenUp("FindReleaseWindow", [&](QWidget& find) {
            findIn(find, "BarcodeEntry", "7 24384 26092 7", round - 1, true);
            used = true;
        });
        press(*wizard, "FindReleaseButton");
        EXPECT_TRUE(used);
        EXPECT_EQ(wizard->findChild<QTreeWidget*>("TrackList")->topLevelItemCount(), 22);
        EXPECT_EQ(wizard->findChild<QLineEdit*>("AlbumEntry")->text(),
                  QString("Harbour Lights %1").arg(round));
        press(*wizard, "OkButton");
        EXPECT_TRUE(
            waitFor([&] { return window(AlbumWizard::kSingleArtistProcedure) == nullptr; }));

        const std::string title = "Harbour Lights " + std::to_string(round);
        EXPECT_EQ(album(title),
                  "The Quay Singers/CD/" + std::to_string(dateFromYmd(2004, 9, 1)) +
                      ": picture; Label: Küstenklang\nCatalogue number: KK 2004-2\nBarcode: "
                      "724384260927\nMusicBrainz release: " +
                      kIds[round - 1] + " | 1.Éclat du Port[1](The Quay Singers," +
                      std::to_string(timeFromHms(0, 3, 0)) +
                      ") 12.Live at the Pier 1[2](The Quay Singers," +
                      std::to_string(timeFromHms(0, 4, 0)) +
                      ") 14.Duet on the Quay[2](The Quay Singers," +
                      std::to_string(timeFromHms(0, 3, 21)) + ") 22");
        EXPECT_EQ(records(CatalogueFile::Album), round);
        for (const std::string& d : dialogsSince(mark)) ADD_FAILURE() << d;
        expectFilesCheckOut();
    }
    // Two requests for each chosen release (search, lookup), and one for its cover.
    EXPECT_EQ(server_.requests().size(), 9u);
}

TEST_F(ReleaseJourney, ByArtistAndTitleThroughTheAlbumFormThenFetchCover) {
    choose("actBrowseAlbums");
    QWidget* albums = window("BrowseAlbum");
    ASSERT_NE(albums, nullptr);
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE(round);
        const size_t mark = markDialogs();
        bool found = false;
        QTimer::singleShot(0, [&] {
            FormWindow* form = awaitForm();
            ASSERT_NE(form, nullptr);
            type(form->findChild<QLineEdit*>("ALB:Artist"), "The Quay Singers");
            type(form->findChild<QLineEdit*>("ALB:Album"), "Harbour");
            whenUp("FindReleaseWindow", [&](QWidget& find) {
                EXPECT_EQ(find.findChild<QLineEdit*>("ArtistEntry")->text(), "The Quay Singers");
                findIn(find, "TitleEntry", "Harbour Lights", round - 1, false);
            });
            press(*form, "FindReleaseButton");
            found = form->findChild<QLineEdit*>("ALB:Album")->text() ==
                    QString("Harbour Lights %1").arg(round);
            auto* tabs = form->findChild<QTabWidget*>();
            tabs->setCurrentIndex(3);
            settle();
            press(*form, "FetchCoverButton");
            EXPECT_TRUE(
                form->findChild<QLineEdit*>("ALB:AssociatedImage")->text().contains("/Pictures/"));
            press(*form, "OkButton");
        });
        press(*albums, "InsertButton");
        EXPECT_TRUE(found);
        const std::string got = album("Harbour Lights " + std::to_string(round));
        EXPECT_NE(got.find(": picture; Label: "), std::string::npos) << got;
        EXPECT_NE(got.find(std::string("MusicBrainz release: ") + kIds[round - 1] + " |"),
                  std::string::npos)
            << got;
        EXPECT_EQ(got.substr(got.size() - 3), " 22") << got;
        for (const std::string& d : dialogsSince(mark)) ADD_FAILURE() << d;
        expectFilesCheckOut();
    }
}

}  // namespace
}  // namespace cdz::test
