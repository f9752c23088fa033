#include "app/shell/frame/FrameMenus.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <vector>

#include "app/engine/state/ProcedureNames.h"
#include "app/engine/window/AppIcons.h"
#include "app/shell/frame/WebPages.h"

namespace cdz {

namespace {

using C = FrameCommand;

// One line of a menu: an item, a submenu (items not empty) or a separator (no name).
struct Entry {
    const char* name = nullptr;
    const char* caption = "";
    const char* status = "";
    C command = C::Start;
    const char* argument = "";
    std::vector<Entry> items;
    QKeySequence::StandardKey key = QKeySequence::UnknownKey;
};

Entry item(const char* name, const char* caption, const char* status, C command,
           const char* argument = "", QKeySequence::StandardKey key = QKeySequence::UnknownKey) {
    return Entry{name, caption, status, command, argument, {}, key};
}

Entry start(const char* name, const char* caption, const char* status, const char* procedure) {
    return item(name, caption, status, C::Start, procedure);
}

Entry submenu(const char* name, const char* caption, const char* status, std::vector<Entry> items) {
    return Entry{name, caption, status, C::Start, "", std::move(items), QKeySequence::UnknownKey};
}

Entry separator() {
    return Entry{};
}

Entry webItem(const WebPage& page) {
    return item(page.objectName, page.caption, page.statusTip, C::WebPage, page.url);
}

Entry fileMenu() {
    using namespace proc;
    return submenu(
        "menuFile", "&File", "",
        {
            item("actPrintSetup", "&Print Setup ...", "Setup printer", C::PrintSetup),
            separator(),
            item("actPreferences", "Pre&ferences", "Options and settings", C::Run, kPreferences),
            separator(),
            start("actImport", "&Import", "Import from a comma-delimited file", kImportSongs),
            start("actExport", "&Export", "Export to a comma-delimited file", kExportSongs),
            start("actAddAudioFiles", "Add &Audio Files...",
                  "Add a folder of audio files to the catalogue by their tags", kAddAudioFiles),
            start("actFileManager", "File &Manager", "", kFileManager),
            separator(),
            webItem(WebPages::home()),
            item("actConvertDosData", "&Convert Dos Data",
                 "Convert the data of the DOS version of Orvanta", C::ConvertDosData),
            separator(),
            item("actExit", "E&xit", "Exit this application", C::Exit),
        });
}

Entry editMenu() {
    return submenu("menuEdit", "&Edit", "",
                   {
                       item("actCut", "Cu&t", "Remove item to Windows Clipboard", C::Cut, "",
                            QKeySequence::Cut),
                       item("actCopy", "&Copy", "Copy item to Windows Clipboard", C::Copy, "",
                            QKeySequence::Copy),
                       item("actPaste", "&Paste", "Paste contents of Windows Clipboard", C::Paste,
                            "", QKeySequence::Paste),
                   });
}

Entry browseMenu() {
    using namespace proc;
    return submenu(
        "menuBrowse", "&Browse", "",
        {
            start("actBrowseAlbums", "&Albums", "Browse Information by Album", kBrowseAlbum),
            start("actBrowseSongs", "&Songs", "Browse the Song Database", kBrowseSongs),
            submenu(
                "menuWizards", "&Wizards", "",
                {
                    start("actAddCompilation", "Add &Compilation", "", kAddCompilation),
                    start("actAddSingleArtist", "Add &Single Artist Album", "", kAddSingleArtist),
                    start("actAddLabel", "Add &Label", "", kLabelWizard),
                }),
            separator(),
            start("actBrowseLabels", "&Labels", "", kBrowseLabels),
            start("actBrowsePlayLists", "&Play Lists", "", kBrowsePlayLists),
            start("actBrowseCategories", "&Categories", "", kBrowseCategories),
            start("actBrowseMedia", "&Media Formats", "Browse Media Formats", kBrowseMedia),
        });
}

Entry reportsMenu() {
    using namespace proc;
    return submenu(
        "menuReports", "&Reports", "",
        {
            submenu("menuReportSongs", "&Songs", "Generate Song Report",
                    {
                        start("actSongsByArtist", "By &Artist", "Print ordered by Songs By Artist",
                              kSongsByArtist),
                        start("actSongsByTitle", "By &Title", "Print ordered by Songs By Title",
                              kSongsByTitle),
                        start("actSongsByAlbum", "By A&lbum", "Print ordered by Songs By Album",
                              kSongsByAlbum),
                        start("actSongsByMedia", "By &Media", "Print ordered by Songs By Media",
                              kSongsByMedia),
                        start("actSongsByCategory", "By &Category",
                              "Print ordered by Songs By Category", kSongsByCategory),
                    }),
            submenu(
                "menuReportAlbums", "&Albums", "Generate Album Report",
                {
                    start("actAlbumsByArtist", "By &Artist", "Print List of Albums by Artist",
                          kAlbumsByArtist),
                    start("actAlbumsByTitle", "by &Title", "Print List of Albums", kAlbumsByTitle),
                }),
            submenu("menuPaperSavers", "Paper S&avers", "Reports Using Small Fonts",
                    {
                        start("actPaperSaverArtist", "By &Artist", "", kPaperSaverArtist),
                        start("actPaperSaverTitle", "By &Title", "", kPaperSaverTitle),
                    }),
            submenu("menuIndexAlbums", "In&dex Cards - Album",
                    "Print album database on index cards",
                    {
                        start("actIndexAlbumsByTitle", "By &Title", "Print albums by album title",
                              kIndexAlbumsByTitle),
                        start("actIndexAlbumsByArtist", "By &Artist", "Print albums by artist",
                              kIndexAlbumsByArtist),
                    }),
            submenu("menuIndexSongs", "&Index Cards - Songs", "",
                    {
                        start("actIndexSongsByTitle", "By &Title", "Print song database by title",
                              kIndexSongsByTitle),
                        start("actIndexSongsByArtist", "By &Artist", "Print database by artist",
                              kIndexSongsByArtist),
                    }),
            submenu("menuRotaryAlbums", "&Rotary Cards - Album", "",
                    {
                        start("actRotaryAlbumsByTitle", "By &Title", "", kRotaryAlbumsByTitle),
                        start("actRotaryAlbumsByArtist", "By &Artist", "", kRotaryAlbumsByArtist),
                    }),
            submenu("menuRotarySongs", "Rotary &Cards - Songs", "",
                    {
                        start("actRotarySongsByTitle", "By &Title", "", kRotarySongsByTitle),
                        start("actRotarySongsByArtist", "By &Artist", "", kRotarySongsByArtist),
                    }),
            separator(),
            start("actReportLabels", "&Labels", "Design and Print CD and Cassette Labels",
                  kBrowseLabels),
            start("actReportPlaylists", "&Playlists", "", kBrowsePlayLists),
            start("actDjLog", "DJ Log", "Log ordered by Artist and Title", kDjLog),
            start("actAlbumValuation", "&Album Valuation Report", "", kAlbumValuation),
        });
}

Entry windowMenu() {
    return submenu(
        "menuWindow", "&Window", "",
        {
            item("actTile", "T&ile", "Make all open windows visible", C::Tile),
            item("actCascade", "&Cascade", "Stack all open windows", C::Cascade),
            item("actArrangeIcons", "&Arrange Icons", "Align all window icons", C::ArrangeIcons),
        });
}

Entry helpMenu() {
    using namespace proc;
    return submenu(
        "menuHelp", "&Help", "",
        {
            item("actHelpContents", "&Contents", "View the contents of the help file",
                 C::HelpContents, "", QKeySequence::HelpContents),
            item("actHelpSearch", "&Search for Help On...", "Search for help on a subject",
                 C::HelpSearch),
            item("actHelpHowTo", "&How to Use Help", "How to use Windows Help", C::HelpHowTo),
            separator(),
            start("actAbout", "&About", "Help About This Program", kAbout),
        });
}

std::vector<Entry> menuBar() {
    std::vector<Entry> online;
    for (const WebPage& page : WebPages::online()) online.push_back(webItem(page));
    return {
        fileMenu(),
        editMenu(),
        browseMenu(),
        reportsMenu(),
        submenu("menuOnLine", "&OnLine", "", std::move(online)),
        windowMenu(),
        helpMenu(),
    };
}

struct ToolButton {
    const char* name;
    const char* icon;
    const char* tip;
    C command;
    const char* argument;
};

const std::vector<ToolButton>& toolButtons() {
    using namespace proc;
    static const std::vector<ToolButton> buttons = {
        {"toolAlbums", "CD1.ICO", "Browse the album/cd database", C::Start, kBrowseAlbum},
        {"toolLabels", "LABELS4.ICO", "Browse the label database", C::Start, kBrowseLabels},
        {"toolPlayLists", "NOTE14.ICO", "Browse the playlist", C::Start, kBrowsePlayLists},
        {"toolCategories", "SUB2.ICO", "Browse the song category database", C::Start,
         kBrowseCategories},
        {"toolMedia", "MEDIA.ICO", "Browse the media format database", C::Start, kBrowseMedia},
        {"toolExit", "EXIT.ICO", "Exit Orvanta", C::Exit, ""},
        {"toolSongs", "NOTE1.ICO", "Browse the song database", C::Start, kBrowseSongs},
    };
    return buttons;
}

QAction* makeAction(QObject* owner, const char* name, const QString& text,
                    const FrameMenus::Handler& handler, C command, const char* argument) {
    auto* action = new QAction(text, owner);
    action->setObjectName(name);
    const QString arg = QString::fromUtf8(argument);
    QObject::connect(action, &QAction::triggered, owner,
                     [handler, command, arg] { handler(command, arg); });
    return action;
}

void fill(QMenu& menu, QMainWindow& frame, const std::vector<Entry>& entries,
          const FrameMenus::Handler& handler) {
    for (const Entry& e : entries) {
        if (!e.name) {
            menu.addSeparator();
        } else if (!e.items.empty()) {
            QMenu* sub = menu.addMenu(e.caption);
            sub->setObjectName(e.name);
            sub->menuAction()->setObjectName(QString(e.name) + "Action");
            sub->menuAction()->setStatusTip(e.status);
            fill(*sub, frame, e.items, handler);
        } else {
            QAction* a = makeAction(&frame, e.name, e.caption, handler, e.command, e.argument);
            a->setStatusTip(e.status);
            if (e.key != QKeySequence::UnknownKey) a->setShortcuts(e.key);
            menu.addAction(a);
        }
    }
}

}  // namespace

void FrameMenus::build(QMainWindow& frame, const Handler& handler) {
    QMenuBar* bar = frame.menuBar();
    bar->setObjectName("MenuBar");
    for (const Entry& top : menuBar()) {
        QMenu* menu = bar->addMenu(top.caption);
        menu->setObjectName(top.name);
        menu->menuAction()->setObjectName(QString(top.name) + "Action");
        fill(*menu, frame, top.items, handler);
    }

    QToolBar* tools = frame.addToolBar("Toolbar");
    tools->setObjectName("ToolBar");
    tools->setMovable(false);
    tools->setIconSize(QSize(24, 24));
    for (const ToolButton& b : toolButtons()) {
        QAction* a = makeAction(&frame, b.name, b.tip, handler, b.command, b.argument);
        a->setIcon(AppIcons::icon(b.icon));
        a->setToolTip(b.tip);
        a->setStatusTip(b.tip);
        tools->addAction(a);
    }
}

}  // namespace cdz
