// The import and export windows driven offscreen with scripted dialogs: the file asked for,
// the assignment made by Auto, the runs with their progress, and the words the user reads.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <fstream>

#include "app/songs/csv/CsvProgressWindow.h"
#include "app/songs/csv/ExportWindow.h"
#include "app/songs/csv/ImportWindow.h"
#include "app/songs/csv/PictureDialog.h"
#include "tests/support/EventLoop.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

using F = CatalogueFile;

TEST(CsvWindows, ImportAsksAgainForAnEmptyFileThenAddsTheSongsAndNamesTheColumnsLeft) {
    StateFixture f;
    std::ofstream(f.dir.file("empty.csv")).flush();
    std::ofstream(f.dir.file("songs.csv"))
        << "MUS:Title,MUS:Artist,Year,Genre\n\"Waterloo\",\"ABBA\",1974,\"Pop\"\n"
           "\"Believe\",\"Cher\",1998,\"Pop\"\n";
    f.dialogs->queue(f.dir.file("empty.csv"));
    f.dialogs->queue("OK");
    f.dialogs->queue(f.dir.file("songs.csv"));
    ImportWindow* w = ImportWindow::open(*f.state, nullptr);
    ASSERT_NE(w, nullptr);
    ASSERT_GE(f.dialogs->shown().size(), 2u);
    EXPECT_EQ(f.dialogs->shown()[1].text, "That file is empty!  Please pick another file.");
    w->show();
    EXPECT_EQ(w->findChild<QTreeWidget*>("ImportColumns")->topLevelItemCount(), 4);
    w->ok();  // nothing assigned yet
    EXPECT_EQ(f.dialogs->shown().back().title, "No Fields Selected for Import!");
    w->autoAssign();
    EXPECT_TRUE(w->findChild<QCheckBox*>("StripHeader")->isChecked());
    auto* targets = w->findChild<QTreeWidget*>("TargetFields");
    EXPECT_EQ(targets->topLevelItem(0)->text(2), "Field_2");
    ASSERT_EQ(targets->topLevelItemCount(), 24);
    EXPECT_EQ(targets->topLevelItem(23)->text(0), "CAT:Category");
    EXPECT_EQ(targets->topLevelItem(23)->text(2), "Field_4");
    w->ok();
    settle();
    EXPECT_EQ(f.lastMessage(),
              "2 songs were added.|columns not imported: Year|line 2: category \"Pop\" did not "
              "exist; it was added as number 1");
    Catalogue& c = f.state->catalogue();
    ASSERT_EQ(c.use(F::Cadenzio), 0);
    EXPECT_EQ(c.file(F::Cadenzio).records(), 2);
    c.release(F::Cadenzio);
}

// A Discogs export is offered as albums, the column assignment idle; changed back to songs,
// the assignment is live again and OK adds songs, no album.
TEST(CsvWindows, ADiscogsExportIsOfferedAsAlbumsAndMayGoInAsSongs) {
    StateFixture f;
    std::ofstream(f.dir.file("collection.csv"))
        << "Catalog#,Artist,Title,Label,Format,Rating,Released,release_id,CollectionFolder,"
           "Date Added,Collection Notes\n"
           "\"X1\",\"ABBA\",\"Waterloo\",\"Polar\",\"LP\",4,\"1974\",1,\"\",\"\",\"\"\n";
    f.dialogs->queue(f.dir.file("collection.csv"));
    ImportWindow* w = ImportWindow::open(*f.state, nullptr);
    ASSERT_NE(w, nullptr);
    w->show();
    auto* kind = w->findChild<QComboBox*>("ImportKind");
    ASSERT_NE(kind, nullptr);
    EXPECT_EQ(kind->currentText().toStdString(), ImportWindow::kDiscogsChoice);
    EXPECT_TRUE(w->importsAlbums());
    auto* columns = w->findChild<QTreeWidget*>("ImportColumns");
    EXPECT_FALSE(columns->isEnabled());
    kind->setCurrentIndex(1);
    EXPECT_FALSE(w->importsAlbums());
    EXPECT_TRUE(columns->isEnabled());
    w->autoAssign();
    w->ok();
    settle();
    EXPECT_EQ(f.lastMessage().rfind("1 song was added.", 0), 0u) << f.lastMessage();
    Catalogue& c = f.state->catalogue();
    ASSERT_EQ(c.use(F::Album), 0);
    EXPECT_EQ(c.file(F::Album).records(), 0);
    c.release(F::Album);
}

TEST(CsvWindows, ExportWritesTheChosenFieldsInTheirOrder) {
    StateFixture f;
    Catalogue& c = f.state->catalogue();
    ASSERT_EQ(c.use(F::Cadenzio), 0);
    c.song().Artist = "ABBA";
    c.song().Title = "Waterloo";
    ASSERT_EQ(c.file(F::Cadenzio).add(), 0);
    c.release(F::Cadenzio);
    ExportWindow* w = ExportWindow::open(*f.state, nullptr);
    ASSERT_NE(w, nullptr);
    w->show();
    auto* all = w->findChild<QListWidget*>("AllFields");
    all->item(1)->setSelected(true);  // MUS:Title
    all->item(0)->setSelected(true);  // MUS:Artist
    w->add();
    w->add();  // twice: nothing doubled
    ASSERT_EQ(w->chosen().size(), 2u);
    w->shift(1);  // the highlighted first row, MUS:Artist, moves below MUS:Title
    w->findChild<QCheckBox*>("IncludeHeader")->setChecked(true);
    const std::string out = f.dir.file("out.csv");
    f.dialogs->queue(out);
    w->ok();
    settle();
    EXPECT_EQ(f.lastMessage(), "1 song was written to " + out + ".");
    std::ifstream in(out);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "\"MUS:Title\",\"MUS:Artist\"\r\n\"Waterloo\",\"ABBA\"\r\n");
}

TEST(CsvWindows, TheExportListsAreCaptioned) {
    StateFixture f;
    ExportWindow* w = ExportWindow::open(*f.state, nullptr);
    ASSERT_NE(w, nullptr);
    QStringList captions;
    for (const char* list : {"AllFields", "ExportFields"}) {
        for (QLabel* label : w->findChildren<QLabel*>()) {
            if (label->buddy() && label->buddy()->objectName() == list) captions << label->text();
        }
    }
    EXPECT_EQ(captions, (QStringList{"All Fields", "Export Fields"}));
    delete w;
}

TEST(CsvWindows, APictureMustBeginWithAnAtSign) {
    StateFixture f;
    PictureDialog d(f.state->dialogs(), "D17");
    d.accept();
    EXPECT_NE(d.result(), QDialog::Accepted);
    EXPECT_EQ(f.dialogs->shown().back().title, "Invalid Picture!");
    EXPECT_EQ(f.dialogs->shown().back().text, "Pictures must begin with \"@\"");
}

// An abandoned or failed run ends without claiming it completed.
TEST(CsvWindows, ProgressSaysCompletedOnlyForARunThatCompleted) {
    for (const bool completed : {true, false}) {
        SCOPED_TRACE(completed);
        int steps = 0;
        CsvProgressWindow w("Exporting Records", "Exporting");
        w.run({[&] { return ++steps < 3; }, [&] { return steps * 30; }, [] {},
               [&] { return completed; }});
        EXPECT_EQ(w.percentText(), completed ? "Process Completed" : "90% Completed");
    }
}

}  // namespace
}  // namespace cdz::test
