#pragma once
// "Report Preview": the pages of a report, one zoomed or several as thumbnails, with the moves
// between them, and Print or Exit at the end. The window only shows what PreviewLayout decides;
// pages are drawn through the page source when they come into view. It may open on a report
// still being made and grow with it; Print then waits for the last page.
#include <QMainWindow>
#include <functional>

#include "runtime/report/PreviewLayout.h"

class QAction;
class QActionGroup;
class QGraphicsScene;
class QGraphicsView;
class QLabel;
class QMenu;
class QPushButton;
class QSpinBox;

namespace cdz {

class Dialogs;
class PageSource;

enum class PreviewResponse { Print = 1, Exit = 2 };

class PreviewWindow final : public QMainWindow {
    Q_OBJECT

public:
    // source must have at least one page and outlive the window; the zoom popup goes
    // through dialogs.
    PreviewWindow(const PageSource& source, Dialogs& dialogs, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    const PreviewLayout& layout() const { return layout_; }
    const PageSource& source() const { return source_; }
    // Print once the user chose Print, Exit otherwise (also when the window was just closed).
    PreviewResponse response() const { return response_; }
    // Called when the user chooses Print, before the window closes; printing is the owner's.
    void setPrintHandler(std::function<void()> handler) { onPrint_ = std::move(handler); }

    // Shows the window modally and returns once it closed, with the user's answer.
    PreviewResponse exec();

    // The source now holds `pageCount` pages, all it will hold once `complete`. A Print chosen
    // before the last page was made is carried out when the count is final.
    void grow(int pageCount, bool complete);

    void nextPages();
    void previousPages();
    void firstPage();
    void lastPage();
    void jumpTo(int page);
    void setGrid(int across, int down);
    void setZoom(PreviewZoom zoom);
    // The zoom popup: the chosen mode becomes current; nothing chosen changes nothing.
    void chooseZoom();
    // A thumbnail zooms to Page Width on its page; a zoomed page goes back to thumbnails.
    void toggleZoom(int page);
    void print();

signals:
    void printRequested();
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    bool handleKey(int key);
    void askJump();
    void askDisplay();
    // Lays the scene out anew for the current page, grid and zoom, and refreshes the controls.
    void rebuild();
    void refreshControls();
    QSizeF viewSize() const;
    QSizeF pageSizeOnScreen(int page) const;

    const PageSource& source_;
    Dialogs& dialogs_;
    PreviewLayout layout_;
    PreviewResponse response_ = PreviewResponse::Exit;
    std::function<void()> onPrint_;
    bool rebuilding_ = false;
    bool printWaiting_ = false;

    QGraphicsScene* scene_ = nullptr;
    QGraphicsView* view_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    QAction* nextAction_ = nullptr;
    QAction* previousAction_ = nullptr;
    QActionGroup* zoomGroup_ = nullptr;
    QSpinBox* pageSpin_ = nullptr;
    QSpinBox* acrossSpin_ = nullptr;
    QSpinBox* downSpin_ = nullptr;
    QAction* printAction_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QLabel* messageZone_ = nullptr;
    QLabel* positionZone_ = nullptr;
    QLabel* zoomZone_ = nullptr;
};

}  // namespace cdz
