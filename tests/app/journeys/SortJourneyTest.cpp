// The song browse's order as a person reads it: sort tabs clicked, the alphabet strip, and the
// locator typed with and without accents; accented names filed with their letters.
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTabBar>

#include "app/engine/browse/BrowseList.h"
#include "app/songs/SongBrowse.h"
#include "tests/app/journeys/Journey.h"

namespace cdz::test {
namespace {

// Artists as a person files them; each song's title is its artist's place.
const char* const kFiled[] = {"Abba",         "Cher",         "Eagles", "Édith Piaf",
                              "Edwin Starr",  "élodie frégé", "Fauré",  "Øystein Sevåg",
                              "Shostakovich", "Straße",       "Zappa"};

class SortJourney : public Journey {
protected:
    void SetUp() override {
        Journey::SetUp();
        FileUse files(catalogue(), {CatalogueFile::Cadenzio});
        ASSERT_TRUE(files.ok());
        DataFile& file = catalogue().file(CatalogueFile::Cadenzio);
        // Added out of order, so that only the key puts them in order.
        for (int i : {8, 3, 10, 0, 5, 1, 9, 4, 7, 2, 6}) {
            file.clearBuffer();
            catalogue().song().Artist = kFiled[i];
            catalogue().song().Title = "Song " + std::to_string(i);
            catalogue().song().ID = i + 1;
            ASSERT_EQ(file.add(), 0);
        }
        choose("actBrowseSongs");
        browse_ = window<SongBrowse>(SongBrowse::kProcedure);
        ASSERT_NE(browse_, nullptr);
        browse_->resize(browse_->width(), 600);  // every song in sight
        settle();
    }

    int columnOf(const QString& header) {
        QAbstractItemModel* m = browse_->list().model();
        for (int c = 0; c < m->columnCount(); ++c) {
            if (m->headerData(c, Qt::Horizontal).toString().trimmed() == header) return c;
        }
        ADD_FAILURE() << "no column " << header.toStdString();
        return 0;
    }

    std::vector<std::string> shownArtists() {
        QAbstractItemModel* m = browse_->list().model();
        const int artist = columnOf("Artist");
        std::vector<std::string> out;
        for (int r = 0; r < m->rowCount(); ++r) {
            const QString text = m->index(r, artist).data().toString().trimmed();
            if (!text.isEmpty()) out.push_back(text.toStdString());
        }
        return out;
    }

    std::string highlightedArtist() {
        const auto rows = browse_->list().selectionModel()->selectedRows(columnOf("Artist"));
        return rows.size() == 1 ? rows.front().data().toString().trimmed().toStdString() : "";
    }

    void clickTab(const char* name, const QString& text) {
        auto* bar = browse_->findChild<QTabBar*>(name);
        ASSERT_NE(bar, nullptr) << name;
        for (int i = 0; i < bar->count(); ++i) {
            if (bar->tabText(i).trimmed() == text) {
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
                settle();
                return;
            }
        }
        ADD_FAILURE() << "no tab " << text.toStdString();
    }

    // Typed into the list as a keyboard sends it, after Home has cleared the locator.
    void locate(const QString& text) {
        BrowseList& list = browse_->list();
        list.setFocus();
        QTest::keyClick(&list, Qt::Key_Home);
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, &list, Qt::Key_unknown, QString(c), Qt::NoModifier);
        settle();
    }

    SongBrowse* browse_ = nullptr;
};

TEST_F(SortJourney, AccentedNamesFileWithTheirLettersInTabsStripAndLocator) {
    const std::vector<std::string> filed(std::begin(kFiled), std::end(kFiled));
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const size_t mark = markDialogs();
        clickTab("SortTabs", "By Title");
        clickTab("SortTabs", "By Artist");
        EXPECT_EQ(shownArtists(), filed);

        const std::pair<QString, std::string> typed[] = {
            {"ed", "Édith Piaf"},   {"ÉDW", "Edwin Starr"}, {"elo", "élodie frégé"},
            {"o", "Øystein Sevåg"}, {"strasse", "Straße"},  {"e", "Eagles"}};
        for (const auto& [text, artist] : typed) {
            locate(text);
            EXPECT_EQ(highlightedArtist(), artist) << text.toStdString();
        }
        const std::pair<QString, std::string> letters[] = {
            {"E", "Eagles"}, {"F", "Fauré"}, {"O", "Øystein Sevåg"}, {"Z", "Zappa"}};
        for (const auto& [letter, artist] : letters) {
            clickTab("AlphabetStrip", letter);
            EXPECT_EQ(highlightedArtist(), artist) << letter.toStdString();
        }
        EXPECT_EQ(dialogsSince(mark), std::vector<std::string>{});
        EXPECT_EQ(records(CatalogueFile::Cadenzio), static_cast<int64_t>(filed.size()));
    }
    expectFilesCheckOut();
}

}  // namespace
}  // namespace cdz::test
