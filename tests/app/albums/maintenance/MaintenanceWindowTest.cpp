// The progress window over a state of the program: the passes started by name, Cancel, and the
// warnings of a failed write and of albums that could not be added.
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include "app/albums/AlbumsProcedures.h"
#include "app/albums/maintenance/MaintenanceWindow.h"
#include "tests/support/EventLoop.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

using F = CatalogueFile;

class MaintenanceWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        defineAlbumsProcedures(*f.state, frame);
        FileUse files(cat(), {F::Album, F::Cadenzio});
        for (int i = 0; i < 20; ++i) {
            cat().file(F::Cadenzio).clearBuffer();
            cat().song().Artist = "Band";
            cat().song().Album = "Album " + std::to_string(i % 4);
            cat().song().Title = "Song " + std::to_string(i);
            ASSERT_EQ(cat().file(F::Cadenzio).add(), 0);
        }
    }

    Catalogue& cat() { return f.state->catalogue(); }
    size_t albumCount() {
        FileUse files(cat(), {F::Album});
        return static_cast<size_t>(cat().file(F::Album).records());
    }

    StateFixture f;
    QWidget frame;
};

TEST_F(MaintenanceWindowTest, PassesRunByNameAndReturnWhenDone) {
    ASSERT_TRUE(f.state->starter().run("CopyToAlbum"));
    EXPECT_EQ(albumCount(), 4u);
    for (const char* name : {"TestAlbumIDs", "ConvertDateToYear", "ConvertAlbumDateToYear"}) {
        EXPECT_TRUE(f.state->starter().run(name)) << name;
    }
    EXPECT_TRUE(f.dialogs->shown().empty());
    EXPECT_EQ(cat().useCount(F::Cadenzio), 0);  // every file given back
}

TEST_F(MaintenanceWindowTest, CancelEndsThePassBetweenBatches) {
    MaintenanceWindow window(*f.state, MaintenancePass::CopyToAlbum, nullptr, 1);
    window.open();
    EXPECT_EQ(window.windowTitle(), "Processing Records");
    EXPECT_EQ(window.findChild<QLabel*>("Caption")->text(), "Copying...");
    EXPECT_EQ(window.findChild<QLabel*>("PercentText")->text(), "  0% Completed");
    // Pressed before the first turn of the timer: no batch is done.
    window.findChild<QPushButton*>("CancelButton")->click();
    ASSERT_TRUE(waitFor([&] { return window.pass().ended(); }));
    EXPECT_TRUE(window.pass().cancelled());
    EXPECT_EQ(window.pass().done(), 0);
    EXPECT_EQ(window.findChild<QLabel*>("PercentText")->text(), "Process Completed");
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(albumCount(), 0u);
}

TEST_F(MaintenanceWindowTest, FailedWriteIsWarnedAndItsBatchUndone) {
    {
        FileUse files(cat(), {F::Cadenzio});
        const TableSql& sql = cat().file(F::Cadenzio).sql();
        ASSERT_EQ(
            cat().database().exec("CREATE TRIGGER " + sql.schema() + ".NoChange BEFORE UPDATE ON " +
                                  sql.table() + " BEGIN SELECT RAISE(ABORT, 'no change'); END"),
            0);
    }
    ASSERT_TRUE(f.state->starter().run("CopyToAlbum"));
    ASSERT_EQ(f.dialogs->shown().size(), 1u);
    EXPECT_EQ(f.dialogs->shown()[0].title, "Process PUT Error");
    EXPECT_EQ(f.dialogs->shown()[0].text.substr(0, 70),
              "An error was experienced when making changes to the Process:View file.");
    EXPECT_NE(f.dialogs->shown()[0].text.find("no change"), std::string::npos);
    EXPECT_EQ(albumCount(), 0u);  // the albums of the batch went with its songs
}

}  // namespace
}  // namespace cdz::test
