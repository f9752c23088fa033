// The frame's opening and closing, and the commands it carries out itself.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QUrl>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>

#include <gtest/gtest.h>

#include "app/shell/frame/HelpWindow.h"
#include "app/shell/frame/MainFrame.h"
#include "app/shell/startup/TerminationWatcher.h"
#include "tests/support/EventLoop.h"
#include "tests/support/StateFixture.h"

namespace cdz::test {

// Takes the pages the frame asks the desktop to open, instead of a browser.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher() { QDesktopServices::setUrlHandler("https", this, "take"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler("https"); }
    std::vector<QString> urls;
public slots:
    void take(const QUrl& url) { urls.push_back(url.toString()); }
};

namespace {

void writeFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path) << text;
}

TEST(FrameOpening, ReadsSettingsRestoresMainAndStartsTheSplash) {
    StateFixture f;
    writeFile(f.dir.path() / "CDZSETS.INI",
              "[Main]\nMaximize=No\nXPosit=40\nYPosit=30\nWidth=700\nHeight=500\n"
              "[Settings]\nNotesLabel=Comments\nDateFormat=d2\n");
    MainFrame frame(*f.state);
    frame.open();
    EXPECT_EQ(frame.geometry(), QRect(40, 30, 700, 500));
    EXPECT_EQ(f.state->settings().notesLabel, "Comments");
    EXPECT_EQ(f.state->settings().dateFormat, "d2");
    EXPECT_EQ(f.state->reportStyle(), "Standard");
    EXPECT_EQ(f.state->reportSelection(), "All");
    EXPECT_EQ(f.state->applicationTag(), "CDZAPP");
    // The splash comes once the frame is up, as the first started window.
    EXPECT_TRUE(f.state->starter().instances().empty());
    settle();
    EXPECT_EQ(f.state->starter().procedureOf(2), "Splash");
}

TEST(FrameOpening, AFrameSavedMaximisedOpensMaximised) {
    StateFixture f;
    writeFile(f.dir.path() / "CDZSETS.INI",
              "[Main]\nMaximize=Yes\nXPosit=40\nYPosit=30\nWidth=700\nHeight=500\n");
    MainFrame frame(*f.state);
    frame.open();
    EXPECT_TRUE(frame.isVisible());
    EXPECT_TRUE(frame.isMaximized());
    frame.showNormal();
    EXPECT_EQ(frame.geometry(), QRect(40, 30, 700, 500));
}

TEST(FrameClosing, ExitClosesStartedWindowsAndSavesMain) {
    StateFixture f;
    MainFrame frame(*f.state);
    frame.open();
    settle();
    frame.setGeometry(60, 50, 640, 480);
    f.state->starter().define("Doc", [](int) { return new QLineEdit; });
    f.state->starter().start("Doc");
    bool closedSignal = false;
    QObject::connect(&frame, &MainFrame::closed, [&] { closedSignal = true; });

    frame.command("actExit")->trigger();
    settle();
    EXPECT_FALSE(frame.isVisible());
    EXPECT_TRUE(closedSignal);
    EXPECT_TRUE(f.state->starter().instances().empty());
    IniFile& ini = f.state->settingsFile();
    EXPECT_EQ(ini.read("Main", "XPosit"), "60");
    EXPECT_EQ(ini.read("Main", "YPosit"), "50");
    EXPECT_EQ(ini.read("Main", "Width"), "640");
    EXPECT_EQ(ini.read("Main", "Height"), "480");
    EXPECT_EQ(ini.read("Main", "Maximize"), "No");
}

// A window that will not close (its user cancelled) keeps the frame open, placement unsaved.
TEST(FrameClosing, AWindowThatRefusesKeepsTheFrameOpen) {
    class Stubborn : public QLineEdit {
    public:
        void closeEvent(QCloseEvent* e) override { e->ignore(); }
    };
    StateFixture f;
    MainFrame frame(*f.state);
    frame.open();
    settle();
    f.state->starter().define("Stubborn", [](int) { return new Stubborn; });
    f.state->starter().start("Stubborn");
    EXPECT_FALSE(frame.close());
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(f.state->settingsFile().read("Main", "XPosit", "none"), "none");
}

TEST(FrameClosing, SigtermClosesTheFrameAsExitDoes) {
    StateFixture f;
    MainFrame frame(*f.state);
    TerminationWatcher watcher;
    ASSERT_TRUE(watcher.isActive());
    QObject::connect(&watcher, &TerminationWatcher::terminationRequested, &frame, &QWidget::close);
    frame.open();
    settle();
    frame.setGeometry(70, 80, 600, 400);
    bool closedSignal = false;
    QObject::connect(&frame, &MainFrame::closed, [&] { closedSignal = true; });

    raise(SIGTERM);  // to this thread, where the watcher holds it blocked
    EXPECT_TRUE(waitFor([&] { return closedSignal; }));
    EXPECT_FALSE(frame.isVisible());
    EXPECT_EQ(f.state->settingsFile().read("Main", "XPosit"), "70");
    EXPECT_TRUE(f.state->starter().instances().empty());
}

TEST(ConvertDosData, WithoutSongExeTheUserIsToldWhereToPutIt) {
    StateFixture f;
    MainFrame frame(*f.state);
    frame.command("actConvertDosData")->trigger();
    ASSERT_EQ(f.dialogs->shown().size(), 1u);
    const DialogRecord& box = f.dialogs->shown().back();
    EXPECT_EQ(box.title, "Convert Dos Data");
    EXPECT_NE(box.text.find("SONG.EXE was not found"), std::string::npos);
    EXPECT_NE(box.text.find(f.dir.path().string()), std::string::npos);
    EXPECT_EQ(box.icon, MessageIcon::Warning);
}

TEST(ConvertDosData, StartsSongExeInTheDataFolderWithoutWaiting) {
    StateFixture f;
    // As copied from a DOS disk, in lower case; it leaves a mark in the folder it runs in.
    const auto program = f.dir.path() / "song.exe";
    writeFile(program, "#!/bin/sh\nsleep 0.3\necho done > converted.txt\n");
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    MainFrame frame(*f.state);
    frame.command("actConvertDosData")->trigger();
    EXPECT_TRUE(f.dialogs->shown().empty()) << f.lastMessage();
    // Not waited for: the mark comes after the command has returned.
    EXPECT_FALSE(std::filesystem::exists(f.dir.path() / "converted.txt"));
    EXPECT_TRUE(waitFor([&] { return std::filesystem::exists(f.dir.path() / "converted.txt"); }));
}

TEST(ConvertDosData, ASongExeThatWillNotStartIsReported) {
    StateFixture f;
    writeFile(f.dir.path() / "SONG.EXE", "MZ not a program for this system");
    MainFrame frame(*f.state);
    frame.command("actConvertDosData")->trigger();
    ASSERT_EQ(f.dialogs->shown().size(), 1u);
    EXPECT_NE(f.lastMessage().find("could not be started"), std::string::npos);
}

TEST(WebPages, WebItemsOpenTheirPagesInTheBrowser) {
    UrlCatcher catcher;
    StateFixture f;
    MainFrame frame(*f.state);
    frame.command("actWebSite")->trigger();
    for (QAction* a : frame.findChild<QMenu*>("menuOnLine")->actions()) a->trigger();
    ASSERT_EQ(catcher.urls.size(), 9u);
    EXPECT_EQ(catcher.urls[0], "https://www.cadenzio.example/");
    std::set<QString> distinct(catcher.urls.begin() + 1, catcher.urls.end());
    EXPECT_EQ(distinct.size(), 8u);  // eight different pages
    for (const QString& url : catcher.urls)
        EXPECT_TRUE(url.startsWith("https://www.cadenzio.example/")) << url.toStdString();
    EXPECT_TRUE(f.dialogs->shown().empty());
}

class EditMenu : public ::testing::Test {
protected:
    void SetUp() override {
        frame.open();
        settle();
        f.state->starter().define("Form", [this](int) {
            edit = new QLineEdit("Abbey Road");
            return edit;
        });
        f.state->starter().start("Form");
        QApplication::setActiveWindow(&frame);
        frame.activateWindow();
        edit->setFocus();
        settle();
        ASSERT_EQ(QApplication::focusWidget(), edit);
        QApplication::clipboard()->setText("clip");
    }
    void trigger(const char* name) { frame.command(name)->trigger(); }

    StateFixture f;
    MainFrame frame{*f.state};
    QLineEdit* edit = nullptr;
};

TEST_F(EditMenu, CutCopyAndPasteWorkOnTheFocusedField) {
    edit->setSelection(0, 5);  // "Abbey"
    trigger("actCopy");
    EXPECT_EQ(QApplication::clipboard()->text(), "Abbey");
    EXPECT_EQ(edit->text(), "Abbey Road");
    edit->setSelection(6, 4);  // "Road"
    trigger("actCut");
    EXPECT_EQ(QApplication::clipboard()->text(), "Road");
    EXPECT_EQ(edit->text(), "Abbey ");
    trigger("actPaste");
    EXPECT_EQ(edit->text(), "Abbey Road");
}

TEST_F(EditMenu, AReadOnlyFieldOnlyCopies) {
    edit->setReadOnly(true);
    edit->selectAll();
    trigger("actCut");
    EXPECT_EQ(QApplication::clipboard()->text(), "Abbey Road");
    EXPECT_EQ(edit->text(), "Abbey Road");
    QApplication::clipboard()->setText("Let It Be");
    trigger("actPaste");
    EXPECT_EQ(edit->text(), "Abbey Road");
}

TEST(EditMenuOnLists, CopyTakesTheCurrentItem) {
    StateFixture f;
    MainFrame frame(*f.state);
    QListWidget* list = nullptr;
    f.state->starter().define("List", [&](int) {
        list = new QListWidget;
        list->addItems({"Help!", "Revolver"});
        return list;
    });
    f.state->starter().start("List");
    list->setCurrentRow(1);
    QApplication::setActiveWindow(&frame);
    list->setFocus();
    settle();
    frame.command("actCopy")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "Revolver");
}

TEST(WindowMenu, ArrangeIconsLinesUpMinimisedWindowsAlongTheBottom) {
    StateFixture f;
    MainFrame frame(*f.state);
    frame.resize(900, 650);
    frame.show();
    f.state->starter().define("Doc", [](int) { return new QLineEdit; });
    std::vector<QMdiSubWindow*> subs;
    for (int i = 0; i < 3; ++i) {
        const int n = f.state->starter().start("Doc");
        subs.push_back(qobject_cast<QMdiSubWindow*>(f.state->starter().window(n)->parentWidget()));
    }
    subs[0]->showMinimized();
    subs[2]->showMinimized();
    subs[0]->move(300, 10);
    subs[2]->move(10, 10);
    frame.command("actArrangeIcons")->trigger();
    const int bottom = frame.mdiArea()->viewport()->height();
    EXPECT_EQ(subs[0]->geometry().bottom() + 1, bottom);
    EXPECT_EQ(subs[2]->geometry().bottom() + 1, bottom);
    EXPECT_EQ(subs[0]->x(), 0);
    EXPECT_EQ(subs[2]->x(), subs[0]->width());
    EXPECT_FALSE(subs[1]->isMinimized());
}

TEST(HelpMenu, ContentsSearchAndHowToOpenTheHelpWindow) {
    StateFixture f;
    MainFrame frame(*f.state);
    frame.command("actHelpHowTo")->trigger();
    HelpWindow& help = frame.helpWindow();
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.currentPage(), "howtohelp.html");
    frame.command("actHelpContents")->trigger();
    EXPECT_EQ(help.currentPage(), "contents.html");
    frame.command("actHelpSearch")->trigger();
    EXPECT_EQ(&frame.helpWindow(), &help);  // one help window
}

TEST(PrintSetup, OpensThePrinterSetupOverTheFrame) {
    StateFixture f;
    MainFrame frame(*f.state);
    frame.show();
    frame.command("actPrintSetup")->trigger();
    auto* dialog = frame.findChild<QDialog*>("PrintSetupDialog");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), "Print Setup");
    dialog->reject();
    settle();
    EXPECT_EQ(frame.findChild<QDialog*>("PrintSetupDialog"), nullptr);
}

}  // namespace
}  // namespace cdz::test

#include "FrameCommandsTest.moc"
