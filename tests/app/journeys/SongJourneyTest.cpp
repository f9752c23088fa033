// Songs typed, changed and deleted through the song browse and the song form, one after another
// as a person types them, while the desktop moves the focus and repaints the browse behind the
// form; the songs file and the dialogs checked after every round.
#include <QComboBox>
#include <QPushButton>

#include <map>
#include <set>

#include "app/domain/data/Catalogue.h"
#include "app/engine/browse/BrowseList.h"
#include "app/songs/SongBrowse.h"
#include "runtime/text/DateTime.h"
#include "tests/app/journeys/Journey.h"

namespace cdz::test {
namespace {

struct Typed {
    QString artist, title, album, time, date, category;
    int32_t storedTime;
    int32_t storedDate;
};

const int32_t kDay = dateFromYmd(1997, 9, 22);

const Typed kSongs[] = {
    {"Édith Piaf", "Non, je ne regrette rien", "", "2:20", "09/22/1997", "Chanson",
     timeFromHms(0, 2, 20), kDay},
    {"Владимир Высоцкий", "Кони привередливые", "Greatest Hits", "3:45", "9/22/97", "",
     timeFromHms(0, 3, 45), kDay},
    {"Shostakovich", "Symphony No. 5", "Symphonies", "1:02:03", "22/09/1997", "Chanson",
     timeFromHms(1, 2, 3), kDay},
    {"Abba", "Waterloo", "", "5:05", "22.09.1997", "", timeFromHms(0, 5, 5), kDay},
    {"Cher", "Believe", "Believe", "0:03:59", "1997-09-22", "", timeFromHms(0, 3, 59), kDay},
    {"Nina Simone", "Feeling Good", "", "2:53", "1965", "", timeFromHms(0, 2, 53), 1965},
};

struct Stored {
    std::string artist, album, category;
    int32_t time, date, id;
};

class SongJourney : public Journey {
protected:
    SongBrowse& songs() {
        if (!window<SongBrowse>(SongBrowse::kProcedure)) choose("actBrowseSongs");
        SongBrowse* w = window<SongBrowse>(SongBrowse::kProcedure);
        EXPECT_NE(w, nullptr);
        return *w;
    }

    // What the desktop does behind a form: the browse's window activated and focused, resized
    // and repainted.
    void stirBehind(SongBrowse& browse) {
        frame().activateWindow();
        browse.list().setFocus();
        browse.resize(browse.size() + QSize(1, 1));
        browse.list().viewport()->repaint();
        settle();
    }

    // Each typed song through Add, the form filled control by control, then OK.
    void typeSong(SongBrowse& browse, const Typed& s, const QString& suffix) {
        const QString before = browse.windowTitle();
        bool formSeen = false;
        whenModal([&](QWidget& form) {
            formSeen = true;
            type(form.findChild<QWidget*>("MUS:Artist"), s.artist);
            stirBehind(browse);
            // The record the form reserved is not the user's yet: the browse still shows
            // what it showed.
            EXPECT_EQ(browse.windowTitle(), before);
            type(form.findChild<QWidget*>("MUS:Title"), s.title + suffix);
            if (!s.album.isEmpty()) type(form.findChild<QWidget*>("MUS:Album"), s.album);
            type(form.findChild<QWidget*>("MUS:Time"), s.time);
            stirBehind(browse);
            type(form.findChild<QWidget*>("MUS:ReleaseDate"), s.date);
            if (!s.category.isEmpty()) {
                type(form.findChild<QComboBox*>("CAT:Category"), s.category);
            }
            stirBehind(browse);
            click(form.findChild<QPushButton*>("OkButton"));
            if (form.isVisible()) {
                ADD_FAILURE() << "the form stayed open: " << dialogs().shown().back().text;
                form.findChild<QPushButton*>("CancelButton")->click();
            }
        });
        click(browse.findChild<QPushButton*>("InsertButton"));
        EXPECT_TRUE(formSeen);
    }

    std::map<std::string, Stored> storedSongs() {
        std::map<std::string, Stored> out;
        Catalogue& c = catalogue();
        FileUse files(c, {CatalogueFile::Cadenzio, CatalogueFile::Categories});
        EXPECT_TRUE(files.ok());
        DataFile& file = c.file(CatalogueFile::Cadenzio);
        EXPECT_EQ(file.set(), 0);
        std::map<int32_t, std::string> names;
        while (file.next() == 0) {
            const SongRecord& s = c.song();
            out[s.Title.str()] = {s.Artist.str(), s.Album.str(), std::to_string(s.CategoryID),
                                  s.Time,         s.ReleaseDate, s.ID};
        }
        DataFile& cats = c.file(CatalogueFile::Categories);
        EXPECT_EQ(cats.set(), 0);
        while (cats.next() == 0)
            names[static_cast<int32_t>(c.category().CategoryID.toInt())] =
                c.category().Category.str();
        for (auto& [title, s] : out) {
            const auto it = names.find(std::stoi(s.category));
            s.category = s.category == "0" ? "" : (it == names.end() ? "?" : it->second);
        }
        return out;
    }
};

TEST_F(SongJourney, SongsTypedOneAfterAnotherAreAllSaved) {
    SongBrowse& browse = songs();
    for (int round = 1; round <= 3; ++round) {
        const size_t mark = markDialogs();
        if (round == 1) dialogs().queue(Button::Yes);  // "Add new category?"
        const QString suffix = " " + QString::number(round);
        for (const Typed& s : kSongs) typeSong(browse, s, suffix);
        EXPECT_TRUE(modalsDone());

        const auto stored = storedSongs();
        std::string titles;
        for (const auto& [t, song] : stored) titles += "[" + t + "|" + song.artist + "]";
        ASSERT_EQ(stored.size(), std::size(kSongs) * static_cast<size_t>(round))
            << titles << testing::PrintToString(dialogsSince(mark));
        std::set<int32_t> ids;
        for (const Typed& s : kSongs) {
            const auto it = stored.find((s.title + suffix).toStdString());
            ASSERT_NE(it, stored.end()) << (s.title + suffix).toStdString();
            EXPECT_EQ(it->second.artist, s.artist.toStdString());
            EXPECT_EQ(it->second.album, s.album.toStdString());
            EXPECT_EQ(it->second.time, s.storedTime) << s.time.toStdString();
            EXPECT_EQ(it->second.date, s.storedDate) << s.date.toStdString();
            EXPECT_EQ(it->second.category, s.category.toStdString());
            ids.insert(it->second.id);
        }
        EXPECT_EQ(ids.size(), std::size(kSongs));
        const std::vector<std::string> expected =
            round == 1 ? std::vector<std::string>{"Category not found: Add new category?"}
                       : std::vector<std::string>{};
        EXPECT_EQ(dialogsSince(mark), expected) << "round " << round;
        EXPECT_EQ(browse.windowTitle(),
                  QString("Songs - %1 entries").arg(std::size(kSongs) * round));
    }
}

// A date that cannot be read stays as typed and the user is told; corrected, the song saves.
TEST_F(SongJourney, AnUnreadableDateIsKeptAndTold) {
    SongBrowse& browse = songs();
    for (int round = 1; round <= 3; ++round) {
        const size_t mark = markDialogs();
        const QString title = "Unreadable " + QString::number(round);
        whenModal([&](QWidget& form) {
            type(form.findChild<QWidget*>("MUS:Artist"), "Abba");
            type(form.findChild<QWidget*>("MUS:Title"), title);
            auto* date = form.findChild<QLineEdit*>("MUS:ReleaseDate");
            type(date, "31/31/1997");
            EXPECT_EQ(date->text(), "31/31/1997");
            click(form.findChild<QPushButton*>("OkButton"));
            EXPECT_TRUE(form.isVisible());
            EXPECT_EQ(date->text(), "31/31/1997");
            type(date, "1974-04-06");
            click(form.findChild<QPushButton*>("OkButton"));
            EXPECT_FALSE(form.isVisible());
        });
        click(browse.findChild<QPushButton*>("InsertButton"));
        const auto told = dialogsSince(mark);
        ASSERT_GE(told.size(), 1u);
        for (const std::string& t : told) {
            EXPECT_EQ(t.rfind("Invalid Date: \"31/31/1997\" is not a date.", 0), 0u) << t;
        }
        const auto stored = storedSongs();
        ASSERT_EQ(stored.size(), static_cast<size_t>(round)) << testing::PrintToString(told);
        ASSERT_EQ(stored.count(title.toStdString()), 1u)
            << "[" << stored.begin()->first << "] " << stored.begin()->second.artist << " "
            << testing::PrintToString(told);
        EXPECT_EQ(stored.at(title.toStdString()).date, dateFromYmd(1974, 4, 6));
    }
}

// A new category typed and OK clicked straight from its field: the question the field's check
// asks takes the mouse's release, as a real box does, and the one click still saves the song.
TEST_F(SongJourney, ANewCategoryAnsweredOnTheWayToOkSavesWithOneClick) {
    SongBrowse& browse = songs();
    dialogs().whileShown([this] { QTest::mouseRelease(&frame(), Qt::LeftButton); });
    for (int round = 1; round <= 3; ++round) {
        const size_t mark = markDialogs();
        const std::string category = "Klezmer " + std::to_string(round);
        dialogs().queue(Button::Yes);  // "Add new category?"
        whenModal([&](QWidget& form) {
            type(form.findChild<QWidget*>("MUS:Artist"), "Giora Feidman");
            type(form.findChild<QWidget*>("MUS:Title"), "Let's be happy " + QString::number(round));
            auto* combo = form.findChild<QComboBox*>("CAT:Category");
            combo->setFocus(Qt::MouseFocusReason);
            QTest::keyClicks(combo->lineEdit(), QString::fromStdString(category));
            QTest::mousePress(form.findChild<QPushButton*>("OkButton"), Qt::LeftButton);
            settle();
            if (form.isVisible()) {
                ADD_FAILURE() << "the form stayed open after the one click";
                form.findChild<QPushButton*>("CancelButton")->click();
            }
        });
        click(browse.findChild<QPushButton*>("InsertButton"));
        EXPECT_EQ(dialogsSince(mark),
                  std::vector<std::string>{"Category not found: Add new category?"});
        const auto stored = storedSongs();
        const auto it = stored.find("Let's be happy " + std::to_string(round));
        ASSERT_NE(it, stored.end()) << "round " << round;
        EXPECT_EQ(it->second.category, category);
        EXPECT_EQ(stored.size(), static_cast<size_t>(round));
    }
    dialogs().whileShown({});
}

// A form with pages grows its fields with its window, as a form without pages does.
TEST_F(SongJourney, TheFieldsOfAPageGrowWithTheForm) {
    SongBrowse& browse = songs();
    for (int round = 1; round <= 3; ++round) {
        whenModal([&](QWidget& form) {
            QWidget* artist = form.findChild<QWidget*>("MUS:Artist");
            ASSERT_NE(artist, nullptr);
            const int before = artist->width();
            form.resize(form.width() + 100 * round, form.height() + 40);
            settle();
            EXPECT_GT(artist->width(), before) << "round " << round;
            form.resize(form.width() - 100 * round, form.height() - 40);
            settle();
            EXPECT_EQ(artist->width(), before) << "round " << round;
            form.findChild<QPushButton*>("CancelButton")->click();
        });
        click(browse.findChild<QPushButton*>("InsertButton"));
        EXPECT_TRUE(modalsDone());
    }
    EXPECT_TRUE(storedSongs().empty());
}

// The highlighted song changed through the form, then deleted after the question.
TEST_F(SongJourney, SongsChangedAndDeleted) {
    SongBrowse& browse = songs();
    for (int round = 1; round <= 3; ++round)
        typeSong(browse, kSongs[3], " " + QString::number(round));
    for (int round = 1; round <= 3; ++round) {
        const size_t mark = markDialogs();
        const int32_t time = timeFromHms(0, 2, 40 + round);
        const size_t before = storedSongs().size();
        whenModal([&](QWidget& form) {
            stirBehind(browse);
            type(form.findChild<QWidget*>("MUS:Time"), QString("2:4%1").arg(round));
            stirBehind(browse);
            click(form.findChild<QPushButton*>("OkButton"));
        });
        click(browse.findChild<QPushButton*>("ChangeButton"));
        auto stored = storedSongs();
        ASSERT_EQ(stored.size(), before);
        std::string changed;
        for (const auto& [title, song] : stored) {
            if (song.time == time) changed += title;
        }
        EXPECT_FALSE(changed.empty()) << "round " << round;
        dialogs().queue(Button::Ok);  // "Are you sure you want to delete ...?"
        click(browse.findChild<QPushButton*>("DeleteButton"));
        stored = storedSongs();
        EXPECT_EQ(stored.size(), before - 1);
        EXPECT_EQ(stored.count(changed), 0u) << changed;
        EXPECT_EQ(dialogsSince(mark).size(), 1u) << "the question before deleting";
        EXPECT_TRUE(modalsDone());
    }
}

}  // namespace
}  // namespace cdz::test
