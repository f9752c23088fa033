// The File Manager window over real files: which files an action takes, a file this program
// holds open left alone, Info on a file that does not exist yet, Pack and Build refused while
// another station holds the file, and Fix of a damaged file (on a server: its keys and count).
#include <QPushButton>
#include <QTreeWidget>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "app/domain/data/CategoryRecord.h"
#include "app/filemgr/FileManagerWindow.h"
#include "tests/app/shell/startup/StoredCatalogue.h"
#include "tests/support/ShellCommand.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

using F = CatalogueFile;

struct FileManagerFixture : StateFixture {
    FileManagerFixture() {
        FileRegistry& registry = state->fileRegistry();
        registry.addDriver(FileRegistry::kKeyedDriver);
        for (const CatalogueFileInfo& f : catalogueFiles())
            registry.usingFile(f.prefix, f.label, state->catalogue().file(f.file),
                               f.registrationFlag);
        // Two categories and one medium on disk; the other files not made yet.
        FileUse files(state->catalogue(), {F::Categories, F::Media});
        for (int id : {1, 2}) {
            state->catalogue().category().CategoryID = id;
            state->catalogue().category().Category = "c" + std::to_string(id);
            EXPECT_EQ(state->catalogue().file(F::Categories).add(), 0);
        }
        state->catalogue().media().Media = "CD";
        EXPECT_EQ(state->catalogue().file(F::Media).add(), 0);
    }
    void press(FileManagerWindow& w, const char* name) { w.findChild<QPushButton*>(name)->click(); }
    QTreeWidgetItem* row(FileManagerWindow& w, const char* label) {
        auto found = w.list().findItems(label, Qt::MatchExactly, 1);
        return found.isEmpty() ? nullptr : found.front();
    }
};

TEST(FileManager, ActionsTakeTheTaggedFilesOrElseTheHighlightedOne) {
    FileManagerFixture f;
    FileManagerWindow w(*f.state);
    ASSERT_EQ(w.list().topLevelItemCount(), 12);
    EXPECT_EQ(w.list().topLevelItem(0)->text(1), "AddWizard");
    // Nothing tagged (after Tag All and Untag All): Info tells of the highlighted file only.
    f.press(w, "TagAll");
    f.press(w, "UntagAll");
    w.list().setCurrentItem(f.row(w, "Categories"));
    f.press(w, "Info");
    ASSERT_EQ(f.dialogs->shown().size(), 1u);
    EXPECT_NE(f.lastMessage().find("Records: 2"), std::string::npos) << f.lastMessage();
    EXPECT_NE(f.lastMessage().find(" KB|Records"), std::string::npos) << f.lastMessage();
    EXPECT_NE(f.lastMessage().find("checks out"), std::string::npos) << f.lastMessage();
    EXPECT_EQ(f.row(w, "Categories")->text(2), "2");
    // A file not made yet is said to be so, and the program goes on.
    w.list().setCurrentItem(f.row(w, "Labels"));
    f.press(w, "Info");
    EXPECT_NE(f.lastMessage().find("does not exist yet"), std::string::npos) << f.lastMessage();
    // Tagged files: each one, in list order; Pack leaves the records as they were.
    f.row(w, "Categories")->setCheckState(0, Qt::Checked);
    f.row(w, "Media")->setCheckState(0, Qt::Checked);
    const size_t before = f.dialogs->shown().size();
    f.press(w, "Pack");
    f.press(w, "Build");
    EXPECT_EQ(f.dialogs->shown().size(), before);
    EXPECT_EQ(f.row(w, "Media")->text(2), "1");
    EXPECT_EQ(storedRows(f.dir.path(), "CDZCAT.tps", R"(select count(*) from "Categories";)"),
              "2\n");
}

TEST(FileManager, AFileInUseIsNeverTakenFromItsUsers) {
    FileManagerFixture f;
    FileManagerWindow w(*f.state);
    w.list().setCurrentItem(f.row(w, "Categories"));
    {
        // A window of this program has the file open.
        FileUse open(f.state->catalogue(), {F::Categories});
        f.press(w, "Build");
        EXPECT_EQ(f.dialogs->shown().back().title, "File Access Error");
        EXPECT_NE(f.lastMessage().find("in use by a window"), std::string::npos);
    }
    // Another station is inside a write of the file: the exclusive open is refused.
    TestDatabase other{f.dir.path()};
    CategoryRecord record;
    DataFile categories{other, CategoryRecord::declaration(), record};
    ASSERT_EQ(categories.open(), 0);
    ASSERT_EQ(other.begin({categories.sql().schema()}, 1000), 0);
    for (const char* action : {"Pack", "Build"}) {
        f.press(w, action);
        EXPECT_EQ(f.dialogs->shown().back().title, "File Access Error") << action;
        EXPECT_NE(f.lastMessage().find("requires exclusive file access"), std::string::npos);
    }
    EXPECT_EQ(other.rollback(), 0);
    EXPECT_EQ(storedRows(f.dir.path(), "CDZCAT.tps", R"(select count(*) from "Categories";)"),
              "2\n");
}

// Fix rebuilds a file with damaged pages from the records it can still read, says how many it
// saved and lost, and keeps the damaged file beside it.
TEST(FileManager, FixRepairsADamagedFileAndKeepsTheDamagedCopy) {
    CDZ_FILES_ONLY();
    FileManagerFixture f;
    constexpr int kCategories = 3000;
    {
        FileUse files(f.state->catalogue(), {F::Categories});
        DataFile& cats = f.state->catalogue().file(F::Categories);
        ASSERT_EQ(cats.stream(), 0);
        for (int id = 3; id <= kCategories; ++id) {
            f.state->catalogue().category().CategoryID = id;
            f.state->catalogue().category().Category = "category " + std::to_string(id);
            ASSERT_EQ(cats.add(), 0);
        }
        ASSERT_EQ(cats.flush(), 0);
    }
    const std::filesystem::path file = f.dir.path() / "CDZCAT.tps";
    {
        // Two pages in the middle overwritten, as a failing disk would.
        std::fstream data(file, std::ios::in | std::ios::out | std::ios::binary);
        const auto middle =
            static_cast<std::streamoff>(std::filesystem::file_size(file) / 2 / 4096);
        data.seekp(middle * 4096);
        std::mt19937 noise(11);
        for (int i = 0; i < 2 * 4096; ++i) data.put(static_cast<char>(noise()));
    }
    ASSERT_NE(runSqliteShell(file, "pragma integrity_check;").out, "ok\n");
    FileManagerWindow w(*f.state);
    w.list().setCurrentItem(f.row(w, "Categories"));
    f.press(w, "Fix");
    ASSERT_EQ(f.dialogs->shown().back().title, "Information") << f.lastMessage();
    EXPECT_NE(f.lastMessage().find(" lost."), std::string::npos) << f.lastMessage();
    EXPECT_EQ(runSqliteShell(file, "pragma integrity_check;").out, "ok\n");
    const int left = std::stoi(runSqliteShell(file, "select count(*) from Categories;").out);
    // Most records survive (all of them when only index pages were hit).
    EXPECT_GT(left, kCategories * 9 / 10);
    EXPECT_LE(left, kCategories);
    EXPECT_NE(f.lastMessage().find(std::to_string(left) + " records saved"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(f.dir.path() / "CDZCAT.tps.damaged"));
    EXPECT_EQ(f.row(w, "Categories")->text(2).toStdString(), std::to_string(left));
}

// On a server Fix has no pages to salvage: it makes the keys and the record count again, loses
// nothing, and says so.
TEST(FileManager, FixOnTheServerMakesTheKeysAndCountAgain) {
    if (!onServer()) GTEST_SKIP() << "a catalogue on a server";
    FileManagerFixture f;
    rawSql(f.dir.path() / "CDZCAT.tps", "UPDATE cdz_layout SET records = 99");
    FileManagerWindow w(*f.state);
    w.list().setCurrentItem(f.row(w, "Categories"));
    f.press(w, "Fix");
    ASSERT_EQ(f.dialogs->shown().back().title, "Information") << f.lastMessage();
    EXPECT_NE(f.lastMessage().find("nothing was lost. It holds 2 records."), std::string::npos)
        << f.lastMessage();
    EXPECT_EQ(storedRows(f.dir.path(), "CDZCAT.tps", "select records from cdz_layout;"), "2\n");
    EXPECT_EQ(f.row(w, "Categories")->text(2), "2");
}

}  // namespace
}  // namespace cdz::test
