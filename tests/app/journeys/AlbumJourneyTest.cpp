// Albums read from a disc image through both add-album wizards, then kept in the album form: its
// songs page, a copy under a new title and a new album whose artist is dittoed from the last one
// saved; three rounds, the album and song files checked after each.
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

#include <cstdlib>

#include "app/albums/cd/CdReader.h"
#include "app/albums/wizard/AlbumWizard.h"
#include "app/engine/browse/BrowseList.h"
#include "tests/app/engine/RunningForm.h"
#include "tests/app/journeys/Journey.h"
#include "tests/runtime/cd/DiscImage.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

class AlbumJourney : public Journey {
protected:
    void SetUp() override {
        Journey::SetUp();
        const auto cue = writeDiscImage(disc_.path(), "disc", {msf(3, 25), msf(4, 10), msf(2, 5)});
        ASSERT_EQ(setenv(CdReader::kDeviceVariable, cue.c_str(), 1), 0);
    }
    void TearDown() override {
        unsetenv(CdReader::kDeviceVariable);
        Journey::TearDown();
    }

    // A wizard from the Albums menu: names typed, the disc read, OK.
    void addFromDisc(const char* command, const char* procedure, const QString& album,
                     const QString& artist) {
        choose(command);
        QWidget* wizard = window(procedure);
        ASSERT_NE(wizard, nullptr) << procedure;
        if (!artist.isEmpty()) type(wizard->findChild<QLineEdit*>("ArtistEntry"), artist);
        type(wizard->findChild<QLineEdit*>("AlbumEntry"), album);
        press(*wizard, "ReadDiscButton");
        EXPECT_EQ(wizard->findChild<QTreeWidget*>("TrackList")->topLevelItemCount(), 3);
        press(*wizard, "OkButton");
        EXPECT_TRUE(waitFor([&] { return window(procedure) == nullptr; })) << procedure;
    }

    // An album's fields and its songs' titles, artists and lengths, read from the files.
    std::string album(const std::string& title) {
        FileUse files(catalogue(), {CatalogueFile::Album, CatalogueFile::Cadenzio});
        DataFile& albums = catalogue().file(CatalogueFile::Album);
        EXPECT_EQ(albums.set(), 0);
        int32_t id = 0;
        std::string out;
        while (albums.next() == 0) {
            if (catalogue().album().Album.str() != title) continue;
            id = catalogue().album().AlbumID;
            out = catalogue().album().Artist.str() + "/" + catalogue().album().Media.str() + ":";
        }
        DataFile& songs = catalogue().file(CatalogueFile::Cadenzio);
        EXPECT_EQ(songs.set(SongRecord::SongsByAlbum), 0);
        while (id && songs.next() == 0) {
            const SongRecord& s = catalogue().song();
            if (s.AlbumID != id) continue;
            out += " " + std::to_string(int(s.TrackNumber)) + "." + s.Title.str() + "(" +
                   s.Artist.str() + ")";
        }
        return out;
    }

    // The album form runs beside the other windows: `act` runs once it is up.
    static void whenForm(std::function<void(QWidget&)> act) {
        QTimer::singleShot(0, [act = std::move(act)] {
            FormWindow* form = awaitForm();
            ASSERT_NE(form, nullptr);
            act(*form);
        });
    }

    TempDir disc_;
};

TEST_F(AlbumJourney, DiscAlbumsThroughBothWizardsThenTheAlbumForm) {
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE(round);
        const size_t mark = markDialogs();
        const QString single = QString("Lanterns %1").arg(round);
        const QString compilation = QString("Échos %1").arg(round);
        addFromDisc("actAddSingleArtist", AlbumWizard::kSingleArtistProcedure, single,
                    "Nadia Korr");
        addFromDisc("actAddCompilation", AlbumWizard::kCompilationProcedure, compilation, {});
        EXPECT_EQ(
            album(single.toStdString()),
            "Nadia Korr/CD: 1.Track 1(Nadia Korr) 2.Track 2(Nadia Korr) 3.Track 3(Nadia Korr)");
        EXPECT_EQ(album(compilation.toStdString()),
                  "Various/CD: 1.Track 1(Various) 2.Track 2(Various) 3.Track 3(Various)");
        EXPECT_EQ(records(CatalogueFile::Cadenzio), 6 * round);

        // The album form over the first album: its songs page lists the disc's tracks.
        choose("actBrowseAlbums");
        QWidget* albums = window("BrowseAlbum");
        ASSERT_NE(albums, nullptr);
        auto* list = albums->findChild<BrowseList*>();
        int songsListed = -1;
        clickRow(*list, 1);
        whenForm([&](QWidget& form) {
            auto* tabs = form.findChild<QTabWidget*>();
            ASSERT_NE(tabs, nullptr);
            tabs->setCurrentIndex(1);
            settle();
            // The files page, behind the others until now, keeps its rows apart.
            tabs->setCurrentIndex(3);
            settle();
            const QRect wav = form.findChild<QLineEdit*>("ALB:AssociatedWAVFile")->geometry();
            const QRect image = form.findChild<QLineEdit*>("ALB:AssociatedImage")->geometry();
            EXPECT_LT(wav.bottom(), image.top());
            EXPECT_GE(wav.width(), tabs->width() / 3);
            tabs->setCurrentIndex(1);
            settle();
            for (BrowseList* songs : tabs->currentWidget()->findChildren<BrowseList*>()) {
                songsListed = 0;
                for (int row = 0; row < songs->model()->rowCount(); ++row)
                    songsListed +=
                        songs->model()->index(row, 0).data().toString().isEmpty() ? 0 : 1;
            }
            press(form, "CancelButton");
        });
        press(*albums, "ChangeButton");
        EXPECT_EQ(songsListed, 3);

        // A copy of it under a title of its own.
        whenForm([&](QWidget& form) {
            type(form.findChild<QLineEdit*>("ALB:Album"), QString("Copy %1").arg(round));
            press(form, "OkButton");
        });
        press(*albums, "CopyButton");
        EXPECT_EQ(records(CatalogueFile::Album), 4 * round - 1);
        const std::string copy = album(QString("Copy %1").arg(round).toStdString());
        EXPECT_EQ(copy.substr(copy.find('/')), "/CD:");

        // A new album whose artist is the last one saved's, by Ditto.
        whenForm([&](QWidget& form) {
            auto* artist = form.findChild<QLineEdit*>("ALB:Artist");
            artist->setFocus();
            QTest::keyClick(artist, Qt::Key_Apostrophe, Qt::ControlModifier);
            EXPECT_FALSE(artist->text().isEmpty());
            type(form.findChild<QLineEdit*>("ALB:Album"), QString("Dittoed %1").arg(round));
            type(form.findChild<QComboBox*>("ALB:Media"), "CD");
            press(form, "OkButton");
        });
        press(*albums, "InsertButton");
        EXPECT_EQ(records(CatalogueFile::Album), 4 * round);
        EXPECT_EQ(album(QString("Dittoed %1").arg(round).toStdString()), copy);
        albums->close();
        settle();
        for (const std::string& d : dialogsSince(mark)) ADD_FAILURE() << d;
        expectFilesCheckOut();
    }
}

}  // namespace
}  // namespace cdz::test
