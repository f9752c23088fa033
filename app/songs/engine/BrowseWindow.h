#pragma once
// The window around a browse engine: the list with its thumb, the sort sheet's tabs, the
// locator's text, and the buttons Select, Insert, Change, Delete, the browse's own, and Close.
// It forwards the user's keys, clicks and popup choices to the engine and shows what the engine
// holds; each browse of the program is one of these with its own declaration. A browse opens as a
// document window of its own, or, called to pick a record, modally over its caller.
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/songs/engine/BrowseEngine.h"
#include "app/songs/engine/BrowseList.h"
#include "app/songs/engine/ListFormat.h"

class QLabel;
class QPushButton;
class QScrollBar;
class QTabBar;

namespace cdz {

class AppState;
class FileUse;
class ControlResizer;
class PageModel;

// A button of one browse only ("&Select Category"): placed after the standard ones; after it
// is pressed the list is refreshed, so that a value it changed shows at once.
struct BrowseButton {
    QString caption;
    QString name;  // the button's object name
    std::function<void()> pressed;
};

struct BrowseWindowSpec {
    std::string procedure;      // "BrowseCategories": its section of the settings file
    QString title;              // the window's title
    std::string listName;       // the list control's name, "?Browse:1"
    std::string designFormat;   // the list format as designed
    bool keepFormat = false;    // whether the user's list format is kept in the settings file
    std::vector<QString> tabs;  // the sort sheet's tabs, one per sort order
    // The file's form, "UpdateCategories"; a browse without one (a picker) has no Insert,
    // Change and Delete.
    std::string formProcedure;
    QString selectCaption = "&Select";
    QString insertCaption = "&Insert";
    QString changeCaption = "&Change";
    QString deleteCaption = "&Delete";
    QString closeCaption = "Cl&ose";
    QString closeIcon;  // icon name of the Close button, "EXIT.ICO"
    QString selectTip;
    QString closeTip;
    std::vector<BrowseButton> extraButtons;
    bool showLocator = false;    // the incremental locator's text after "Locator:"
    bool countInTitle = false;   // the title followed by the file's record count and " entries"
    QSize designSize{230, 170};  // dialog units
};

class BrowseWindow : public QWidget {
    Q_OBJECT
public:
    // Takes the program's request (Select for a picker) and clears it; `files` are held while
    // the window is open. The engine's declaration names the files and orders.
    BrowseWindow(AppState& state, BrowseWindowSpec spec, BrowseDeclaration declaration,
                 std::unique_ptr<FileUse> files, QWidget* parent = nullptr);
    ~BrowseWindow() override;

    // Runs a browse modally over `parent` until it closes; returns its response.
    static Response runModal(BrowseWindow* browse, QWidget* parent);

    BrowseEngine& engine() { return *engine_; }
    BrowseList& list() { return *list_; }
    QSize sizeHint() const override { return designPixels_; }

signals:
    void finished();

protected:
    // The title a browse shows; the spec's by default.
    virtual QString titleText() const;
    // After every change of the page: the window shows the engine's state.
    void sync();

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    AppState& state_;
    BrowseWindowSpec spec_;

private:
    void build();
    void placeControls();
    void move(BrowseList::Move move);
    void press(BrowseList::Press button);
    void showPopup();
    void closeBrowse();
    Response callForm(Request request);
    bool edits() const { return !spec_.formProcedure.empty(); }
    void saveFormat();

    std::unique_ptr<FileUse> files_;
    Bindings bindings_;
    std::unique_ptr<BrowseEngine> engine_;
    ListFormat format_;
    PageModel* model_ = nullptr;
    ControlResizer* resizer_ = nullptr;
    BrowseList* list_ = nullptr;
    QScrollBar* thumb_ = nullptr;
    QTabBar* tabs_ = nullptr;
    QPushButton* select_ = nullptr;
    QPushButton* insert_ = nullptr;
    QPushButton* change_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* close_ = nullptr;
    std::vector<QPushButton*> extras_;
    QLabel* locatorPrompt_ = nullptr;
    QLabel* locator_ = nullptr;
    QSize designPixels_;
    bool opened_ = false;
    bool closing_ = false;
    bool syncing_ = false;
};

}  // namespace cdz
