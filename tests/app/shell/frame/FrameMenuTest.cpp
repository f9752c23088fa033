// The frame's menu bar and toolbar as the user sees them, and where each command leads.
#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/shell/frame/MainFrame.h"
#include "tests/support/StateFixture.h"

namespace {

using cdz::FrameCommand;
using cdz::MainFrame;
using cdz::test::StateFixture;

// One line per item: "Menu > Item | status text"; submenus give their own line first.
void describe(const QMenu& menu, const std::string& path, std::vector<std::string>& out) {
    for (const QAction* a : menu.actions()) {
        if (a->isSeparator()) continue;
        const std::string line = path + " > " + a->text().toStdString();
        out.push_back(line + " | " + a->statusTip().toStdString());
        if (a->menu()) describe(*a->menu(), line, out);
    }
}

std::vector<std::string> menuTree(const MainFrame& frame) {
    std::vector<std::string> out;
    for (const QAction* top : frame.menuBar()->actions()) {
        out.push_back(top->text().toStdString());
        describe(*top->menu(), top->text().toStdString(), out);
    }
    return out;
}

const std::vector<std::string> kMenuTree = {
    "&File",
    "&File > &Print Setup ... | Setup printer",
    "&File > Pre&ferences | Options and settings",
    "&File > &Import | Import from a comma-delimited file",
    "&File > &Export | Export to a comma-delimited file",
    "&File > Add &Audio Files... | Add a folder of audio files to the catalogue by their tags",
    "&File > File &Manager | ",
    "&File > Orvanta on the &Web | Visit the Orvanta home page",
    "&File > &Convert Dos Data | Convert the data of the DOS version of Orvanta",
    "&File > E&xit | Exit this application",
    "&Edit",
    "&Edit > Cu&t | Remove item to Windows Clipboard",
    "&Edit > &Copy | Copy item to Windows Clipboard",
    "&Edit > &Paste | Paste contents of Windows Clipboard",
    "&Browse",
    "&Browse > &Albums | Browse Information by Album",
    "&Browse > &Songs | Browse the Song Database",
    "&Browse > &Wizards | ",
    "&Browse > &Wizards > Add &Compilation | ",
    "&Browse > &Wizards > Add &Single Artist Album | ",
    "&Browse > &Wizards > Add &Label | ",
    "&Browse > &Labels | ",
    "&Browse > &Play Lists | ",
    "&Browse > &Categories | ",
    "&Browse > &Media Formats | Browse Media Formats",
    "&Reports",
    "&Reports > &Songs | Generate Song Report",
    "&Reports > &Songs > By &Artist | Print ordered by Songs By Artist",
    "&Reports > &Songs > By &Title | Print ordered by Songs By Title",
    "&Reports > &Songs > By A&lbum | Print ordered by Songs By Album",
    "&Reports > &Songs > By &Media | Print ordered by Songs By Media",
    "&Reports > &Songs > By &Category | Print ordered by Songs By Category",
    "&Reports > &Albums | Generate Album Report",
    "&Reports > &Albums > By &Artist | Print List of Albums by Artist",
    "&Reports > &Albums > by &Title | Print List of Albums",
    "&Reports > Paper S&avers | Reports Using Small Fonts",
    "&Reports > Paper S&avers > By &Artist | ",
    "&Reports > Paper S&avers > By &Title | ",
    "&Reports > In&dex Cards - Album | Print album database on index cards",
    "&Reports > In&dex Cards - Album > By &Title | Print albums by album title",
    "&Reports > In&dex Cards - Album > By &Artist | Print albums by artist",
    "&Reports > &Index Cards - Songs | ",
    "&Reports > &Index Cards - Songs > By &Title | Print song database by title",
    "&Reports > &Index Cards - Songs > By &Artist | Print database by artist",
    "&Reports > &Rotary Cards - Album | ",
    "&Reports > &Rotary Cards - Album > By &Title | ",
    "&Reports > &Rotary Cards - Album > By &Artist | ",
    "&Reports > Rotary &Cards - Songs | ",
    "&Reports > Rotary &Cards - Songs > By &Title | ",
    "&Reports > Rotary &Cards - Songs > By &Artist | ",
    "&Reports > &Labels | Design and Print CD and Cassette Labels",
    "&Reports > &Playlists | ",
    "&Reports > DJ Log | Log ordered by Artist and Title",
    "&Reports > &Album Valuation Report | ",
    "&OnLine",
    "&OnLine > Orvanta &Home Page | Visit the Orvanta home page",
    "&OnLine > Product &News | Read the latest news about Orvanta",
    "&OnLine > Check for &Updates | See whether a newer version is available",
    "&OnLine > Technical &Support | Get help from the Orvanta support team",
    "&OnLine > &Frequently Asked Questions | Answers to common questions",
    "&OnLine > &Tips and Tricks | Ways to get more out of Orvanta",
    "&OnLine > &Register Orvanta | Register your copy of Orvanta",
    "&OnLine > Send Us Your &Comments | Tell us what you think of Orvanta",
    "&Window",
    "&Window > T&ile | Make all open windows visible",
    "&Window > &Cascade | Stack all open windows",
    "&Window > &Arrange Icons | Align all window icons",
    "&Help",
    "&Help > &Contents | View the contents of the help file",
    "&Help > &Search for Help On... | Search for help on a subject",
    "&Help > &How to Use Help | How to use Windows Help",
    "&Help > &About | Help About This Program",
};

TEST(FrameMenus, MenuTreeHasEveryCaptionAccelerator_AndStatusText) {
    StateFixture f;
    MainFrame frame(*f.state);
    EXPECT_EQ(menuTree(frame), kMenuTree);
    EXPECT_EQ(frame.windowTitle(), "Orvanta 98");
    EXPECT_FALSE(frame.windowIcon().isNull());
}

TEST(FrameMenus, ToolbarHoldsSevenButtonsInOrderWithTipsAndIcons) {
    StateFixture f;
    MainFrame frame(*f.state);
    const auto* bar = frame.findChild<QToolBar*>("ToolBar");
    ASSERT_NE(bar, nullptr);
    std::vector<std::string> tips;
    for (const QAction* a : bar->actions()) {
        tips.push_back(a->toolTip().toStdString());
        EXPECT_FALSE(a->icon().pixmap(24, 24).isNull()) << a->objectName().toStdString();
    }
    const std::vector<std::string> expected = {
        "Browse the album/cd database",
        "Browse the label database",
        "Browse the playlist",
        "Browse the song category database",
        "Browse the media format database",
        "Exit Orvanta",
        "Browse the song database",
    };
    EXPECT_EQ(tips, expected);
}

// Each command starts (or runs) the procedure its table names, whichever procedures exist
// today; the toolbar's browse buttons start the same procedures as the menu.
TEST(FrameMenus, CommandsStartTheirProcedures) {
    struct Case {
        const char* action;
        const char* procedure;
    };
    const std::vector<Case> cases = {
        {"actPreferences", "Preferences"},
        {"actImport", "ImportSongs"},
        {"actExport", "ExportSongs"},
        {"actFileManager", "FileManager"},
        {"actBrowseAlbums", "BrowseAlbum"},
        {"actBrowseSongs", "BrowseSongs"},
        {"actAddCompilation", "AddCompilation"},
        {"actAddSingleArtist", "AddSingleArtist"},
        {"actAddLabel", "LabelWizard"},
        {"actBrowseLabels", "BrowseLabels"},
        {"actBrowsePlayLists", "BrowsePlayLists"},
        {"actBrowseCategories", "BrowseCategories"},
        {"actBrowseMedia", "BrowseMedia"},
        {"actSongsByArtist", "PRINTMUS:SONGSBYARTIST"},
        {"actSongsByTitle", "PRINTMUS:SONGSBYTITLE"},
        {"actSongsByAlbum", "PRINTMUS:SONGSBYALBUM"},
        {"actSongsByMedia", "PRINTMUS:SONGSBYMEDIA"},
        {"actSongsByCategory", "PRINTBYCATEGORY"},
        {"actAlbumsByArtist", "PRINTALBUMSBYARTIST"},
        {"actAlbumsByTitle", "PRINTALBUMSBYALBUM"},
        {"actPaperSaverArtist", "PRINTPAPERSAVER"},
        {"actPaperSaverTitle", "PRINTPAPERSAVERTITLE"},
        {"actIndexAlbumsByTitle", "PRINTINDEX:ALBUMSBYTITLE"},
        {"actIndexAlbumsByArtist", "PRINTINDEX:ALBUMSBYARTIST"},
        {"actIndexSongsByTitle", "PRINTINDEX:SONGTITLE"},
        {"actIndexSongsByArtist", "PRINTINDEX:SONGSARTIST"},
        {"actRotaryAlbumsByTitle", "PRINTROTARY:ALBUMTITLE"},
        {"actRotaryAlbumsByArtist", "PRINTROTARY:ALBUMARTIST"},
        {"actRotarySongsByTitle", "PRINTROTARY:SONGSTITLE"},
        {"actRotarySongsByArtist", "PRINTROTARY:SONGSARTIST"},
        {"actReportLabels", "BrowseLabels"},
        {"actReportPlaylists", "BrowsePlayLists"},
        {"actDjLog", "PRINTDJLIST"},
        {"actAlbumValuation", "PRINTVALUATIONALBUM"},
        {"toolAlbums", "BrowseAlbum"},
        {"toolLabels", "BrowseLabels"},
        {"toolPlayLists", "BrowsePlayLists"},
        {"toolCategories", "BrowseCategories"},
        {"toolMedia", "BrowseMedia"},
        {"toolSongs", "BrowseSongs"},
    };
    StateFixture f;
    MainFrame frame(*f.state);
    std::vector<std::string> called;
    for (const Case& c : cases) {
        const std::string name = c.procedure;
        f.state->starter().define(name, [&called, name](int) -> QWidget* {
            called.push_back(name);
            return nullptr;
        });
        f.state->starter().defineRoutine(name, [&called, name] { called.push_back(name); });
    }
    for (const Case& c : cases) {
        QAction* a = frame.command(c.action);
        ASSERT_NE(a, nullptr) << c.action;
        called.clear();
        a->trigger();
        EXPECT_EQ(called, std::vector<std::string>{c.procedure}) << c.action;
    }
    EXPECT_TRUE(f.dialogs->shown().empty());
}

// A command whose procedure nobody defined names it in warning 6 and opens nothing.
TEST(FrameMenus, UndefinedProcedureGivesWarningSix) {
    StateFixture f;
    MainFrame frame(*f.state);
    for (FrameCommand command : {FrameCommand::Start, FrameCommand::Run}) {
        const std::size_t before = f.dialogs->shown().size();
        frame.execute(command, "NoSuchProcedure");
        ASSERT_EQ(f.dialogs->shown().size(), before + 1);
        const cdz::DialogRecord& box = f.dialogs->shown().back();
        EXPECT_EQ(box.title, "Procedure not defined");
        EXPECT_EQ(box.text, "The Procedure NoSuchProcedure has not been defined.");
    }
    EXPECT_TRUE(f.state->starter().instances().empty());
}

}  // namespace
