// The category and media forms as the user meets them, called from their browses: a category
// added, renamed and deleted; a change another station saved first; and the whole program
// doing the same through the frame's menu, checked in the file with the sqlite3 shell.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "app/engine/browse/BrowseWindow.h"
#include "app/filemgr/FileManagerProcedures.h"
#include "app/shell/frame/MainFrame.h"
#include "app/songs/LookupBrowses.h"
#include "app/songs/LookupForms.h"
#include "app/songs/SongsProcedures.h"
#include "runtime/ui/DialogsFromEnvironment.h"
#include "tests/support/EventLoop.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {
namespace {

using F = CatalogueFile;

// Runs `step` on the form once it is up; the step ends it (OK, Cancel, Esc).
void whenFormOpens(std::function<void(FormWindow&)> step) {
    QTimer::singleShot(0, [step] {
        FormWindow* form = nullptr;
        ASSERT_TRUE(waitFor([&] {
            form = qobject_cast<FormWindow*>(QApplication::activeModalWidget());
            return form != nullptr;
        }));
        step(*form);
    });
}

void retype(QLineEdit* entry, const QString& text) {
    entry->selectAll();
    QTest::keyClicks(entry, text);
}

std::string highlighted(BrowseWindow& w) {
    const int row = w.engine().choice();
    return row ? std::get<std::string>(w.engine().rowValue(row, 0)) : "";
}

// The frame's stand-in: the procedures of the song catalogue, the way the frame defines them.
struct Procedures {
    explicit Procedures(AppState& state) { defineSongsProcedures(state, frame); }
    QWidget frame;
};

TEST(LookupForms, ACategoryIsAddedRenamedAndDeletedFromItsBrowse) {
    StateFixture f;
    Procedures procedures(*f.state);
    BrowseWindow* w = LookupBrowses::categories(*f.state, nullptr);
    ASSERT_NE(w, nullptr);
    w->show();
    settle();
    QStringList titles;
    whenFormOpens([&](FormWindow& form) {
        titles << form.windowTitle();
        EXPECT_EQ(form.entry(0)->maxLength(), 30);
        retype(form.entry(0), "Jazz");
        form.findChild<QPushButton*>("OkButton")->click();
    });
    QTest::keyClick(&w->list(), Qt::Key_Insert);
    EXPECT_EQ(highlighted(*w), "Jazz");

    whenFormOpens([&](FormWindow& form) {
        titles << form.windowTitle();
        EXPECT_EQ(form.entry(0)->text(), "Jazz");
        retype(form.entry(0), "Cool Jazz");
        QTest::keyClick(form.entry(0), Qt::Key_Return);
    });
    QTest::keyClick(&w->list(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(highlighted(*w), "Cool Jazz");

    // Ditto recalls the last record saved; Esc then leaves nothing behind.
    whenFormOpens([&](FormWindow& form) {
        titles << form.windowTitle();
        QTest::keyClick(form.entry(0), Qt::Key_QuoteLeft, Qt::ControlModifier);
        EXPECT_EQ(form.entry(0)->text(), "Cool Jazz");
        QTest::keyClick(form.entry(0), Qt::Key_Escape);
    });
    QTest::keyClick(&w->list(), Qt::Key_Insert);
    EXPECT_EQ(w->engine().page().count(), 1);

    f.dialogs->queue("Ok");
    QTest::keyClick(&w->list(), Qt::Key_Delete);
    EXPECT_EQ(f.dialogs->shown().back().title, "Confirm Delete");
    EXPECT_TRUE(w->engine().page().empty());
    EXPECT_EQ(titles, (QStringList{"Add Category", "Change Category", "Add Category"}));
    EXPECT_EQ(f.state->catalogue().file(F::Categories).records(), 0);
    w->close();
    settle();
}

TEST(LookupForms, AMediaNameThatExistsKeepsTheFormOpen) {
    StateFixture f;
    Procedures procedures(*f.state);
    {
        FileUse use(f.state->catalogue(), {F::Media});
        f.state->catalogue().media().Media = "CD";
        ASSERT_EQ(f.state->catalogue().file(F::Media).add(), 0);
    }
    BrowseWindow* w = LookupBrowses::media(*f.state, nullptr);
    ASSERT_NE(w, nullptr);
    w->show();
    settle();
    whenFormOpens([&](FormWindow& form) {
        EXPECT_EQ(form.windowTitle(), "Adding Media Format");
        retype(form.entry(0), "CD");
        form.findChild<QPushButton*>("OkButton")->click();
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(form.entry(0)->text(), "CD");
        retype(form.entry(0), "DVD");
        form.findChild<QPushButton*>("OkButton")->click();
    });
    QTest::keyClick(&w->list(), Qt::Key_Insert);
    EXPECT_EQ(f.lastMessage(),
              "Adding this record creates a duplicate entry for the key:MED:KeyMedia");
    EXPECT_EQ(highlighted(*w), "DVD");
    w->close();
    settle();
}

// Another process saves the category while this one has it open in the form. The save here is
// refused with the warning's own words, the form shows their name, and Ditto brings back what
// was typed here, which the next OK saves.
TEST(LookupForms, AChangeSavedByAnotherStationFirstIsShownAndNothingIsLost) {
    StateFixture f;
    Procedures procedures(*f.state);
    {
        FileUse use(f.state->catalogue(), {F::Categories});
        f.state->catalogue().category().CategoryID = 1;
        f.state->catalogue().category().Category = "Rock";
        ASSERT_EQ(f.state->catalogue().file(F::Categories).add(), 0);
    }
    BrowseWindow* w = LookupBrowses::categories(*f.state, nullptr);
    ASSERT_NE(w, nullptr);
    w->show();
    settle();
    const std::filesystem::path folder = f.dir.path();
    whenFormOpens([&](FormWindow& form) {
        const pid_t other = fork();
        if (other == 0) {
            Catalogue station(folder);
            if (station.use(F::Categories) != 0) _exit(1);
            station.category().CategoryID = 1;
            if (station.file(F::Categories).get(0) != 0) _exit(2);
            station.category().Category = "Theirs";
            _exit(station.file(F::Categories).put() == 0 ? 0 : 3);
        }
        int status = -1;
        waitpid(other, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        retype(form.entry(0), "Mine");
        form.findChild<QPushButton*>("OkButton")->click();
        EXPECT_EQ(f.lastMessage(),
                  "This record was changed by another station. Those changes will now be "
                  "displayed. Use the Ditto Button or Ctrl+' to recall your changes.");
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(form.entry(0)->text(), "Theirs");
        form.findChild<QPushButton*>("DittoButton")->click();
        EXPECT_EQ(form.entry(0)->text(), "Mine");
        form.findChild<QPushButton*>("OkButton")->click();
    });
    w->findChild<QPushButton*>("ChangeButton")->click();
    EXPECT_EQ(highlighted(*w), "Mine");
    EXPECT_EQ(f.state->catalogue().file(F::Categories).records(), 1);
    w->close();
    settle();
}

// The sqlite3 shell's answer to one query on a data file of the folder.
std::string shell(const std::filesystem::path& file, const char* sql) {
    QProcess p;
    p.start("sqlite3", {QString::fromStdString(file.string()), sql});
    if (!p.waitForFinished(30000)) return "(sqlite3 did not finish)";
    return p.readAllStandardOutput().trimmed().toStdString();
}

// The whole program: the frame's Categories command, the browse and its form driven by their
// widgets, the dialogs answered and logged as a scripted run does, and the file read with the
// sqlite3 shell after each step.
TEST(LookupForms, TheProgramAddsRenamesAndDeletesACategory) {
    TempDir dir;
    const std::filesystem::path answers = dir.path() / "dialogs.answers";
    const std::filesystem::path log = dir.path() / "dialogs.log";
    std::ofstream(answers) << "Ok\n";
    setenv("CDZ_DIALOG_ANSWERS", answers.c_str(), 1);
    setenv("CDZ_DIALOG_LOG", log.c_str(), 1);
    std::string error;
    std::unique_ptr<Dialogs> dialogs = dialogsFromEnvironment(error);
    unsetenv("CDZ_DIALOG_ANSWERS");
    unsetenv("CDZ_DIALOG_LOG");
    ASSERT_TRUE(dialogs) << error;
    AppState state(dir.path(), std::move(dialogs), [](std::string_view) {});
    state.addSubsystem(&defineFileManagerProcedures);
    state.addSubsystem(&defineSongsProcedures);
    const std::filesystem::path file = dir.path() / "CDZCAT.tps";
    const char* query = "SELECT CategoryID || ' ' || Category FROM Categories";
    {
        MainFrame frame(state);
        frame.open();
        frame.show();
        settle();
        frame.findChild<QAction*>("actBrowseCategories")->trigger();
        settle();
        auto* browse = frame.findChild<BrowseWindow*>(LookupBrowses::kCategories);
        ASSERT_NE(browse, nullptr);
        whenFormOpens([](FormWindow& form) {
            retype(form.entry(0), "Bossa Nova");
            form.findChild<QPushButton*>("OkButton")->click();
        });
        browse->findChild<QPushButton*>("InsertButton")->click();
        EXPECT_EQ(shell(file, query), "1 Bossa Nova");
        whenFormOpens([](FormWindow& form) {
            retype(form.entry(0), "Samba");
            form.findChild<QPushButton*>("OkButton")->click();
        });
        browse->findChild<QPushButton*>("ChangeButton")->click();
        EXPECT_EQ(shell(file, query), "1 Samba");
        browse->findChild<QPushButton*>("DeleteButton")->click();
        EXPECT_EQ(shell(file, query), "");
        frame.close();
        settle();
    }
    std::ifstream in(log);
    std::string line, all;
    int lines = 0;
    while (std::getline(in, line)) {
        ++lines;
        all += line;
    }
    EXPECT_EQ(lines, 1);
    EXPECT_NE(all.find("\"title\":\"Confirm Delete\""), std::string::npos) << all;
    EXPECT_NE(all.find("\"answer\":\"OK\""), std::string::npos) << all;
}

}  // namespace
}  // namespace cdz::test
