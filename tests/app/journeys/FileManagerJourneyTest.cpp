// Every action of the File Manager on every file, all of them tagged, then each file alone by
// its highlight: the records are all there and every file checks out after each; three rounds.
#include <QPushButton>
#include <QTreeWidget>

#include "app/domain/data/CatalogueFile.h"
#include "app/engine/state/ProcedureNames.h"
#include "tests/app/journeys/Journey.h"

namespace cdz::test {
namespace {

class FileManagerJourney : public Journey {
protected:
    std::map<std::string, int64_t> counts() {
        std::map<std::string, int64_t> out;
        for (const CatalogueFileInfo& info : catalogueFiles())
            out[std::string(info.label)] = records(info.file);
        return out;
    }
};

TEST_F(FileManagerJourney, EveryActionOnEveryFileKeepsEveryRecord) {
    addSongs(40);
    const auto before = counts();
    const char* actions[] = {"Build", "Pack", "Release", "Fix", "Info"};
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE(round);
        const size_t mark = markDialogs();
        int rows = 0;
        // A person closes the windows showing the files first: the start-up browses.
        ASSERT_TRUE(state().starter().closeAll());
        settle();
        choose("actFileManager");
        QWidget* manager = window(proc::kFileManager);
        ASSERT_NE(manager, nullptr);
        {
            auto* files = manager->findChild<QTreeWidget*>("Files");
            ASSERT_NE(files, nullptr);
            rows = files->topLevelItemCount();
            click(manager->findChild<QPushButton*>("TagAll"));
            for (const char* action : actions) click(manager->findChild<QPushButton*>(action));
            click(manager->findChild<QPushButton*>("UntagAll"));
            for (int row = 0; row < rows; ++row) {
                const QRect cell = files->visualItemRect(files->topLevelItem(row));
                QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, cell.center());
                for (const char* action : actions) click(manager->findChild<QPushButton*>(action));
            }
            click(manager->findChild<QPushButton*>("Done"));
        }
        EXPECT_EQ(window(proc::kFileManager), nullptr);
        EXPECT_GE(rows, 8);
        EXPECT_EQ(counts(), before);
        expectFilesCheckOut();
        // The frame keeps the songs, albums and media open while the program runs: those are
        // refused; every other file is repaired whole and checks out.
        const std::string inUse = "File Access Error: The file ";
        for (const std::string& d : dialogsSince(mark)) {
            const bool told =
                (d.starts_with("File Information:") && d.ends_with("Check: the file checks out")) ||
                (d.starts_with("Information: The repair of ") &&
                 d.find(" 0 records lost.") != std::string::npos) ||
                (d.starts_with(inUse) && (d.find("file Album ") != std::string::npos ||
                                          d.find("file Cadenzio ") != std::string::npos ||
                                          d.find("file Media ") != std::string::npos));
            EXPECT_TRUE(told) << d;
        }
    }
}

}  // namespace
}  // namespace cdz::test
