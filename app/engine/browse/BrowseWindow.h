#pragma once
// The window around a browse engine: the list with its thumb, the sort sheet's tabs, the
// locator's text, and the buttons Select, Insert, Change, Delete, the browse's own, and Close.
// It forwards the user's keys, clicks and popup choices to the engine and shows what the engine
// holds; each browse of the program is one of these with its own declaration. A browse opens as a
// document window of its own, or, called to pick a record, modally over its caller.
#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/engine/browse/BrowseEngine.h"
#include "app/engine/browse/BrowseList.h"
#include "app/engine/browse/BrowsePopup.h"
#include "app/engine/columns/LayoutColumn.h"
#include "app/engine/columns/ListFormat.h"

class QLabel;
class QMimeData;
class QPushButton;
class QScrollBar;
class QTabBar;

namespace cdz {

class AppState;
class FileUse;
class ColumnLayoutView;
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
    // Tips of the buttons; empty for none.
    QString selectTip;
    QString insertTip;
    QString changeTip;
    QString deleteTip;
    QString closeTip;
    std::vector<BrowseButton> extraButtons;
    bool showLocator = false;    // the incremental locator's text after "Locator:"
    bool countInTitle = false;   // the title followed by the file's record count and " entries"
    QSize designSize{230, 170};  // dialog units
    // A list inside another window (a form's page): no Close button and no place of its own;
    // the window around it closes it when it leaves.
    bool embedded = false;
    // The columns the user may show, hide and reorder (the design format's first); none for a
    // list whose layout the user does not change.
    std::vector<LayoutColumn> columnTable;
    int layoutVersion = 1;        // of the column layout this browse saves and reads
    bool keepsListPlace = false;  // whether the column layout keeps the list's place and size
};

class BrowseWindow : public QWidget {
    Q_OBJECT
public:
    // Environment variable: when set (to anything but "" or "0"), each browse writes one line to
    // standard error once its first page has been drawn, with the milliseconds since the process
    // and since the window were created, so that a benchmark can time the program's start.
    static constexpr const char* kReportFirstPage = "CDZ_REPORT_FIRST_PAGE";

    // Takes the program's request (Select for a picker) and clears it; `files` are held while
    // the window is open. The engine's declaration names the files and orders.
    BrowseWindow(AppState& state, BrowseWindowSpec spec, BrowseDeclaration declaration,
                 std::unique_ptr<FileUse> files, QWidget* parent = nullptr);
    ~BrowseWindow() override;

    // Runs a browse modally over `parent` until it closes; returns its response.
    static Response runModal(BrowseWindow* browse, QWidget* parent);

    BrowseEngine& engine() { return *engine_; }
    const BrowseEngine& engine() const { return *engine_; }
    BrowseList& list() { return *list_; }
    // The user's column layout of the list; nullptr for a browse without a column table.
    ColumnLayoutView* columnLayout() { return layout_; }
    const BrowseWindowSpec& spec() const { return spec_; }
    QSize sizeHint() const override { return designPixels_; }
    // What a row offers when dragged out of the list (1-based); nullptr when rows are not
    // dragged. The caller owns the data.
    virtual QMimeData* rowMimeData(int row) const;
    // Whether rows are dragged out of this window (to a form that takes them).
    virtual bool offersDrags() const { return false; }

signals:
    void finished();

protected:
    // Runs a procedure that adds records of the browse's file (a wizard) on `request`, then
    // highlights the record it added, or shows the file afresh when it added none.
    void runAdding(const char* procedure, Request request);
    // The title a browse shows; the one its description gives by default.
    virtual QString titleText() const;
    // After every change of the page: the window shows the engine's state.
    void sync();
    // Called at the end of every sync, for the controls a browse adds.
    virtual void afterSync() {}
    // Places the controls for the design size (dialog units); a browse with more controls
    // places them too. The base version runs from the constructor.
    virtual void placeControls();
    // A browse that added controls after construction places them and has them resized.
    void relayout();
    // Buttons a browse adds to the popup after Insert, Change and Delete; choosing item n of
    // them calls pressExtra(n) (0-based).
    virtual std::vector<PopupButton> popupExtras() const { return {}; }
    virtual void pressExtra(int /*index*/) {}
    // Around every call of the browse's form: what a browse inside another form keeps of that
    // form's buffers.
    virtual void beforeForm() {}
    virtual void afterForm() {}
    // Another procedure by name, from this browse: one with a window of its own (a report, an
    // import) or one run over this window (a wizard, a search), the page read again after it.
    void startProcedure(const char* name);
    void runProcedure(const char* name);
    // The strip of letter tabs "A" to "Z" above a browse's list; `chosen` gets the letter's
    // index (0 for "A") each time one is chosen, the one already chosen included.
    QTabBar* makeAlphabetStrip(const std::function<void(int)>& chosen);
    // The newly selected sort tab drawn with three blanks after its caption (a browse's style
    // sheet makes it bold); the one marked before gets its caption back.
    void markSortTab(int index);
    // Dialog units to pixels in the window's font.
    int unitsX(int du) const;
    int unitsY(int du) const;

    // The names the browse's filters use: its files' fields; a browse binds what else its
    // filters may name.
    Bindings& bindings() { return bindings_; }
    QTabBar& sortTabs() { return *tabs_; }
    QScrollBar& thumbBar() { return *thumb_; }
    QPushButton& insertButton() { return *insert_; }
    QPushButton& changeButton() { return *change_; }
    QPushButton& deleteButton() { return *delete_; }
    QPushButton& closeButton() { return *close_; }

    // Calls a procedure over this browse and waits for its response (waiting_ counts it
    // meanwhile).
    Response runWaiting(std::string_view procedure, Request request);

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    AppState& state_;
    BrowseWindowSpec spec_;

private:
    void build();
    // The parts of build(): the tabs, list, thumb and buttons; the list's format; the signals.
    void makeControls();
    void applyListFormat();
    void connectList();
    void connectControls();
    void move(BrowseList::Move move);
    void press(BrowseList::Press button);
    void showPopup();
    void closeBrowse();
    Response callForm(Request request);
    bool edits() const { return !spec_.formProcedure.empty(); }
    void saveFormat();
    void openLayout();
    void saveLayout();
    void reportFirstPage();

    std::unique_ptr<FileUse> files_;
    Bindings bindings_;
    std::unique_ptr<BrowseEngine> engine_;
    ListFormat format_;
    PageModel* model_ = nullptr;
    ControlResizer* resizer_ = nullptr;
    ColumnLayoutView* layout_ = nullptr;
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
    QElapsedTimer created_;
    bool opened_ = false;
    bool closing_ = false;
    bool syncing_ = false;
    // Forms and procedures this browse runs over itself and waits for: while one is open the
    // browse reads nothing on its own (focus, resizing), since the form works on the buffer
    // the browse would read into, and the record it reserved is not the user's yet.
    int waiting_ = 0;
    int markedTab_ = -1;
};

}  // namespace cdz
