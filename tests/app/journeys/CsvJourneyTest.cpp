// The songs exported through the export window with every field and the header, the data files
// taken away, and the file imported through the import window into the empty catalogue: every
// song comes back field for field, its category by name; three round trips in a row. A Discogs
// collection export imported through the same window three times makes its albums once.
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>
#include <fstream>

#include "app/songs/csv/ImportAssignment.h"
#include "app/songs/csv/ImportWindow.h"
#include "runtime/text/DateTime.h"
#include "tests/app/journeys/Journey.h"
#include "tests/app/songs/csv/DiscogsExportFile.h"
#include "tests/support/TempDir.h"

namespace cdz::test {
namespace {

class CsvJourney : public Journey {
protected:
    void addCatalogue() {
        FileUse files(catalogue(), {CatalogueFile::Cadenzio, CatalogueFile::Categories});
        ASSERT_TRUE(files.ok());
        for (const auto& [id, name] : {std::pair{1, "Chanson"}, std::pair{2, "Рок"}}) {
            catalogue().category().CategoryID = id;
            catalogue().category().Category = name;
            ASSERT_EQ(catalogue().file(CatalogueFile::Categories).add(), 0);
        }
        struct Song {
            const char* artist;
            const char* title;
            int category;
            int32_t time;
            int32_t released;
        };
        const Song songs[] = {
            {"Édith Piaf", "La Vie en rose", 1, timeFromHms(0, 3, 5), dateFromYmd(1947, 1, 1)},
            {"Сплин", "Выхода нет", 2, timeFromHms(0, 3, 45), 1997},
            {"Smith, John", "\"Quoted\", with a comma", 0, timeFromHms(1, 2, 3), 0},
            {"Zed", "Line\r\nbreak", 1, 0, dateFromYmd(1997, 9, 22)},
        };
        int id = 0;
        for (const Song& s : songs) {
            catalogue().file(CatalogueFile::Cadenzio).clearBuffer();
            SongRecord& r = catalogue().song();
            r.ID = ++id;
            r.Artist = s.artist;
            r.Title = s.title;
            r.Album = "Album ΑΒΓ";
            r.CategoryID = s.category;
            r.Time = s.time;
            r.ReleaseDate = s.released;
            r.Notes = std::string(900, 'n') + "é";
            r.Rating = "4";
            r.TrackNumber = static_cast<uint8_t>(id);
            ASSERT_EQ(catalogue().file(CatalogueFile::Cadenzio).add(), 0);
        }
    }

    // Each song's fields as the import fills them, its category by name, in one sorted list.
    std::vector<std::string> songs() {
        FileUse files(catalogue(), {CatalogueFile::Cadenzio, CatalogueFile::Categories});
        EXPECT_TRUE(files.ok());
        std::map<int64_t, std::string> names;
        DataFile& cats = catalogue().file(CatalogueFile::Categories);
        EXPECT_EQ(cats.set(CategoryRecord::KeyCategoryID), 0);
        while (cats.next() == 0)
            names[catalogue().category().CategoryID.toInt()] =
                catalogue().category().Category.str();
        std::vector<std::string> out;
        DataFile& file = catalogue().file(CatalogueFile::Cadenzio);
        EXPECT_EQ(file.set(SongRecord::KeyID), 0);
        while (file.next() == 0) {
            std::string fields = "category=" + names[catalogue().song().CategoryID];
            for (const char* label : ImportAssignment::targetLabels()) {
                if (label == ImportAssignment::kCategoryName ||
                    label == std::string("MUS:CategoryID"))
                    continue;
                fields += std::string("\n") + label + "=" +
                          file.decl().column(label)->toString(file.record());
            }
            out.push_back(fields);
        }
        std::sort(out.begin(), out.end());
        return out;
    }

    // Every field chosen as a person does: the first clicked, the last shift-clicked, Add.
    static void chooseAllFields(QWidget& exporter) {
        auto* all = exporter.findChild<QListWidget*>("AllFields");
        ASSERT_NE(all, nullptr);
        QTest::mouseClick(all->viewport(), Qt::LeftButton, {},
                          all->visualItemRect(all->item(0)).center());
        all->scrollToItem(all->item(all->count() - 1));
        QTest::mouseClick(all->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          all->visualItemRect(all->item(all->count() - 1)).center());
        press(exporter, "AddButton");
    }
};

TEST_F(CsvJourney, ExportThenImportIntoAnEmptyCatalogueGivesBackEverySong) {
    addCatalogue();
    const std::vector<std::string> original = songs();
    ASSERT_EQ(original.size(), 4u);
    TempDir dir;
    const std::string csv = (dir.path() / "songs.csv").string();
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE(round);
        size_t mark = markDialogs();
        choose("actExport");
        QWidget* exporter = window("ExportWindow");
        ASSERT_NE(exporter, nullptr);
        chooseAllFields(*exporter);
        auto* header = exporter->findChild<QWidget*>("IncludeHeader");
        QTest::mouseClick(header, Qt::LeftButton, {}, QPoint(8, header->height() / 2));
        dialogs().queue(csv);
        press(*exporter, "OkButton");
        ASSERT_EQ(dialogsSince(mark).size(), 2u);
        EXPECT_EQ(dialogsSince(mark).back(), "Export: 4 songs were written to " + csv + ".");

        restart([this] {
            for (const auto& entry : std::filesystem::directory_iterator(dataFolder())) {
                std::string ext = entry.path().extension().string();
                std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
                if (ext == ".tps") std::filesystem::remove(entry.path());
            }
        });
        EXPECT_EQ(records(CatalogueFile::Cadenzio), 0);
        mark = markDialogs();
        dialogs().queue(csv);
        choose("actImport");
        QWidget* importer = window("ImportWindow");
        ASSERT_NE(importer, nullptr);
        press(*importer, "AutoButton");
        press(*importer, "OkButton");
        const auto told = dialogsSince(mark);
        ASSERT_EQ(told.size(), 2u);
        // The categories are found by name, and made anew in the empty catalogue.
        EXPECT_EQ(told.back(),
                  "Import: 4 songs were added.|line 2: category \"Chanson\" did not exist; it was "
                  "added as number 1|line 6: category \"Рок\" did not exist; it was added as "
                  "number 2");
        EXPECT_EQ(songs(), original);
        expectFilesCheckOut();
    }
}

TEST_F(CsvJourney, ADiscogsExportGoesInAsAlbumsOnlyOnce) {
    TempDir dir;
    const std::string csv = (dir.path() / "collection.csv").string();
    std::ofstream(csv, std::ios::binary) << DiscogsExportFile::bytes();
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE(round);
        const size_t mark = markDialogs();
        dialogs().queue(csv);
        choose("actImport");
        QWidget* importer = window("ImportWindow");
        ASSERT_NE(importer, nullptr);
        auto* kind = importer->findChild<QComboBox*>("ImportKind");
        ASSERT_NE(kind, nullptr);
        EXPECT_EQ(kind->currentText().toStdString(), ImportWindow::kDiscogsChoice);
        press(*importer, "OkButton");
        const auto told = dialogsSince(mark);
        ASSERT_EQ(told.size(), 2u);
        if (round == 1) {
            EXPECT_EQ(told.back(),
                      "Import: 43 albums were added.|column not imported: Date Added| |6 lines "
                      "were refused (1 album already in the catalogue):|line 3: media \"Vinyl\" "
                      "did not exist; it was added|line 4: 5 fields where the header has 14|line "
                      "5: media \"Cassette\" did not exist; it was added|line 6: the release id "
                      "\"abc\" is not a positive number|line 7: media \"FLAC\" did not exist; it "
                      "was added|line 8: the line names neither an artist nor a title|line 9: the "
                      "album \"Nevermind\" by \"Nirvana\" is already in the catalogue|line 11: "
                      "the release id \"-5\" is not a positive number|line 12: media \"File\" did "
                      "not exist; it was added|line 13: text follows the closing quote of field "
                      "1|... and 2 more|2 values were cut to fit their fields.");
        } else {
            EXPECT_EQ(told.back().rfind(
                          "Import: 0 albums were added.|column not imported: Date Added| |49 lines "
                          "were refused (44 albums already in the catalogue):|line 2: the album "
                          "\"Nevermind\" by \"Nirvana\" is already in the catalogue|line 3: the "
                          "album \"In Utero\" by \"Nirvana\" is already in the catalogue|",
                          0),
                      0u)
                << told.back();
        }
        EXPECT_EQ(records(CatalogueFile::Album), DiscogsExportFile::kReleasesAdded);
        FileUse files(catalogue(), {CatalogueFile::Album});
        ASSERT_TRUE(files.ok());
        catalogue().album().AlbumID = 3;
        ASSERT_EQ(catalogue().file(CatalogueFile::Album).get(AlbumRecord::KeyAlbumID), 0);
        const AlbumRecord& exodus = catalogue().album();
        EXPECT_EQ(exodus.Album, "Exodus");
        EXPECT_EQ(exodus.Media, "Cassette");
        EXPECT_EQ(exodus.Notes,
                  "Label: Label 77\nCatalogue number: TGLLP 1\nMedia condition: Mint (M)\n"
                  "Folder: Uncategorized\nDiscogs release: 77");
        expectFilesCheckOut();
    }
}

}  // namespace
}  // namespace cdz::test
