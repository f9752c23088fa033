#include "runtime/report/PreviewWindow.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBar>
#include <array>

#include "runtime/report/PageSource.h"
#include "runtime/report/PreviewAsk.h"
#include "runtime/report/PreviewPageItem.h"
#include "runtime/ui/Dialogs.h"

namespace cdz {

namespace {

constexpr double kPointsPerInch = 72.0;
// The highest page a jump may ask for while the report is still being made.
constexpr int kMostPages = 999999;

struct ZoomAction {
    PreviewZoom zoom;
    const char* text;
    const char* name;
};

constexpr std::array<ZoomAction, 7> kZoomActions{{
    {PreviewZoom::None, "&No Zoom", "actionZoomNone"},
    {PreviewZoom::PageWidth, "Page &Width", "actionZoomPageWidth"},
    {PreviewZoom::Percent50, "&50 Percent", "actionZoom50"},
    {PreviewZoom::Percent75, "&75 Percent", "actionZoom75"},
    {PreviewZoom::Percent100, "&100 Percent", "actionZoom100"},
    {PreviewZoom::Percent200, "&200 Percent", "actionZoom200"},
    {PreviewZoom::Percent300, "&300 Percent", "actionZoom300"},
}};

QAction* action(QMenu* menu, const char* text, const char* name, const char* tip) {
    QAction* a = menu->addAction(QString::fromLatin1(text));
    a->setObjectName(QString::fromLatin1(name));
    if (tip) a->setStatusTip(QString::fromLatin1(tip));
    return a;
}

QSpinBox* spin(QToolBar* bar, const char* caption, const char* name, const char* tip) {
    auto* label = new QLabel(QString::fromLatin1(caption), bar);
    auto* box = new QSpinBox(bar);
    box->setObjectName(QString::fromLatin1(name));
    box->setMinimum(1);
    if (tip) box->setToolTip(QString::fromLatin1(tip));
    label->setBuddy(box);
    bar->addWidget(label);
    bar->addWidget(box);
    return box;
}

}  // namespace

PreviewWindow::PreviewWindow(const PageSource& source, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), source_(source), dialogs_(dialogs), layout_(source.pageCount()) {
    setWindowTitle(QStringLiteral("Report Preview"));
    setObjectName(QStringLiteral("reportPreview"));
    scene_ = new QGraphicsScene(this);
    view_ = new QGraphicsView(scene_, this);
    view_->setObjectName(QStringLiteral("previewPages"));
    view_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    view_->setBackgroundBrush(Qt::gray);
    setCentralWidget(view_);
    buildMenus();
    buildToolBar();
    buildStatusBar();
    resize(800, 600);
    rebuild();
    // Only now: a resize of the view lays the pages out again, which needs every control.
    view_->installEventFilter(this);
    view_->viewport()->installEventFilter(this);
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    printAction_ = action(file, "&Print", "actionPrint", "Print the report");
    connect(printAction_, &QAction::triggered, this, &PreviewWindow::print);
    connect(action(file, "E&xit", "actionExit", "Exit without printing the report"),
            &QAction::triggered, this, &QWidget::close);

    viewMenu_ = menuBar()->addMenu(QStringLiteral("&View"));
    viewMenu_->setObjectName(QStringLiteral("menuView"));
    nextAction_ = action(viewMenu_, "&Next Page(s)", "actionNext", nullptr);
    nextAction_->setShortcut(QKeySequence(Qt::Key_PageDown));
    connect(nextAction_, &QAction::triggered, this, &PreviewWindow::nextPages);
    previousAction_ = action(viewMenu_, "&Previous Page(s)", "actionPrevious", nullptr);
    previousAction_->setShortcut(QKeySequence(Qt::Key_PageUp));
    connect(previousAction_, &QAction::triggered, this, &PreviewWindow::previousPages);
    connect(action(viewMenu_, "&Jump to a page", "actionJump", nullptr), &QAction::triggered, this,
            &PreviewWindow::askJump);
    connect(action(viewMenu_, "&Change Display", "actionChangeDisplay",
                   "Change the number of pages displayed"),
            &QAction::triggered, this, &PreviewWindow::askDisplay);

    QMenu* zoom = menuBar()->addMenu(QStringLiteral("&Zoom"));
    zoomGroup_ = new QActionGroup(this);
    for (const ZoomAction& z : kZoomActions) {
        QAction* a = action(zoom, z.text, z.name, nullptr);
        a->setCheckable(true);
        a->setData(static_cast<int>(z.zoom));
        zoomGroup_->addAction(a);
        connect(a, &QAction::triggered, this, [this, mode = z.zoom] { setZoom(mode); });
    }
}

void PreviewWindow::buildToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Preview"));
    bar->setObjectName(QStringLiteral("previewToolBar"));
    bar->setMovable(false);
    const auto button = [&](const char* text, const char* name, const char* tip) {
        auto* b = new QPushButton(QString::fromLatin1(text), bar);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(QString::fromLatin1(tip));
        b->setFocusPolicy(Qt::NoFocus);
        bar->addWidget(b);
        return b;
    };
    printButton_ = button("&Print", "previewPrint", "Print this report");
    connect(printButton_, &QPushButton::clicked, this, &PreviewWindow::print);
    connect(button("E&xit", "previewExit", "Exit without printing the report"),
            &QPushButton::clicked, this, &QWidget::close);
    connect(button("&Zoom", "previewZoomButton", "Zoom in on a page of the report"),
            &QPushButton::clicked, this, &PreviewWindow::chooseZoom);
    bar->addSeparator();
    pageSpin_ = spin(bar, "&Page:", "previewPage", nullptr);
    acrossSpin_ =
        spin(bar, "&Across:", "previewAcross", "Select the number of thumbnails in a row");
    downSpin_ = spin(bar, "&Down:", "previewDown", "Select the number of thumbnails in a column");
    // A page number typed digit by digit is one jump, not one per digit.
    pageSpin_->setKeyboardTracking(false);
    connect(pageSpin_, &QSpinBox::valueChanged, this, &PreviewWindow::jumpTo);
    connect(acrossSpin_, &QSpinBox::valueChanged, this,
            [this](int across) { setGrid(across, layout_.down()); });
    connect(downSpin_, &QSpinBox::valueChanged, this,
            [this](int down) { setGrid(layout_.across(), down); });
}

void PreviewWindow::buildStatusBar() {
    messageZone_ = new QLabel(this);
    messageZone_->setObjectName(QStringLiteral("previewZone1"));
    positionZone_ = new QLabel(this);
    positionZone_->setObjectName(QStringLiteral("previewPosition"));
    zoomZone_ = new QLabel(this);
    zoomZone_->setObjectName(QStringLiteral("previewZoom"));
    statusBar()->addWidget(messageZone_, 1);
    statusBar()->addWidget(positionZone_);
    statusBar()->addWidget(zoomZone_);
}

PreviewResponse PreviewWindow::exec() {
    response_ = PreviewResponse::Exit;
    setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    connect(this, &PreviewWindow::closed, &loop, &QEventLoop::quit);
    show();
    loop.exec();
    return response_;
}

void PreviewWindow::grow(int pageCount, bool complete) {
    if (pageCount == layout_.pageCount() && complete == layout_.complete()) return;
    const int current = layout_.current();
    const int lastShown = layout_.lastShown();
    layout_.grow(pageCount, complete);
    // Only a page that comes into view needs the scene laid out again.
    if (layout_.current() != current || layout_.lastShown() != lastShown)
        rebuild();
    else
        refreshControls();
    if (complete && printWaiting_) print();
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    emit closed();
}

void PreviewWindow::nextPages() {
    layout_.next();
    rebuild();
}

void PreviewWindow::previousPages() {
    layout_.previous();
    rebuild();
}

void PreviewWindow::firstPage() {
    layout_.first();
    rebuild();
}

void PreviewWindow::lastPage() {
    layout_.last();
    rebuild();
}

void PreviewWindow::jumpTo(int page) {
    if (page == layout_.current()) return;
    layout_.jump(page);
    rebuild();
}

void PreviewWindow::setGrid(int across, int down) {
    layout_.setGrid(across, down);
    layout_.fitGrid(viewSize());
    rebuild();
}

void PreviewWindow::setZoom(PreviewZoom zoom) {
    layout_.setZoom(zoom);
    rebuild();
}

void PreviewWindow::chooseZoom() {
    const int item = dialogs_.popup(layout_.zoomPopupText());
    if (item > 0) setZoom(PreviewLayout::zoomOfPopupItem(item));
}

void PreviewWindow::toggleZoom(int page) {
    layout_.jump(page);
    layout_.setZoom(layout_.zoomed() ? PreviewZoom::None : PreviewZoom::PageWidth);
    rebuild();
}

void PreviewWindow::print() {
    if (!layout_.complete()) {
        printWaiting_ = true;
        refreshControls();
        return;
    }
    printWaiting_ = false;
    response_ = PreviewResponse::Print;
    if (onPrint_) onPrint_();
    emit printRequested();
    close();
}

void PreviewWindow::askJump() {
    const int most = layout_.complete() ? layout_.pageCount() : kMostPages;
    if (const auto page = askPreviewPage(this, layout_.current(), most)) jumpTo(*page);
}

void PreviewWindow::askDisplay() {
    const QSizeF room = viewSize();
    const auto grid =
        askPreviewDisplay(this, layout_.across(), layout_.down(), PreviewLayout::maxAcross(room),
                          PreviewLayout::maxDown(room));
    if (!grid) return;
    layout_.setZoom(PreviewZoom::None);
    setGrid(grid->first, grid->second);
}

bool PreviewWindow::handleKey(int key) {
    switch (key) {
        case Qt::Key_PageDown:
            nextPages();
            return true;
        case Qt::Key_PageUp:
            previousPages();
            return true;
        case Qt::Key_Home:
            firstPage();
            return true;
        case Qt::Key_End:
            lastPage();
            return true;
        case Qt::Key_Plus:
            layout_.zoomIn();
            rebuild();
            return true;
        case Qt::Key_Minus:
            layout_.zoomOut();
            rebuild();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            toggleZoom(layout_.current());
            return true;
        default:
            return false;
    }
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && event->type() == QEvent::KeyPress)
        return handleKey(static_cast<QKeyEvent*>(event)->key());
    if (watched == view_->viewport()) {
        if (event->type() == QEvent::Resize) {
            layout_.fitGrid(viewSize());
            rebuild();
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            if (auto* item = dynamic_cast<PreviewPageItem*>(view_->itemAt(at))) {
                toggleZoom(item->page() + 1);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

QSizeF PreviewWindow::viewSize() const {
    return QSizeF(view_->viewport()->size());
}

QSizeF PreviewWindow::pageSizeOnScreen(int page) const {
    const QSizeF points = source_.pageSize(page);
    return QSizeF(points.width() * logicalDpiX() / kPointsPerInch,
                  points.height() * logicalDpiY() / kPointsPerInch);
}

void PreviewWindow::rebuild() {
    // Changing the scroll bars resizes the view, which asks for a rebuild inside this one.
    if (rebuilding_) return;
    const QScopedValueRollback guard(rebuilding_, true);
    // Thumbnails fill the view exactly; a page as wide as the view always keeps room for the
    // vertical bar, or the bar coming and going would resize the page for ever.
    const bool fixed = layout_.zoomed() && layout_.zoom() != PreviewZoom::PageWidth;
    view_->setHorizontalScrollBarPolicy(fixed ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    view_->setVerticalScrollBarPolicy(fixed              ? Qt::ScrollBarAsNeeded
                                      : layout_.zoomed() ? Qt::ScrollBarAlwaysOn
                                                         : Qt::ScrollBarAlwaysOff);
    scene_->clear();
    const QSizeF room = viewSize();
    if (layout_.zoomed()) {
        const int page = layout_.current() - 1;
        const QSizeF size = pageSizeOnScreen(page);
        const double scale = layout_.scale(room.width(), size.width());
        auto* item = new PreviewPageItem(source_, page, size * scale);
        scene_->addItem(item);
        scene_->setSceneRect(item->boundingRect());
    } else {
        const QSizeF first = source_.pageSize(0);
        const double aspect = first.width() > 0 ? first.height() / first.width() : 1.0;
        const std::vector<QRectF> cells = layout_.cells(room, aspect);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const int page = layout_.current() - 1 + static_cast<int>(i);
            if (page >= layout_.pageCount()) break;  // cells past the last page stay empty
            auto* item = new PreviewPageItem(source_, page, cells[i].size());
            item->setPos(cells[i].topLeft());
            scene_->addItem(item);
        }
        scene_->setSceneRect(QRectF(QPointF(0, 0), room));
    }
    refreshControls();
}

void PreviewWindow::refreshControls() {
    const bool many = layout_.navigable();
    viewMenu_->setEnabled(many);
    nextAction_->setEnabled(many && layout_.canNext());
    previousAction_->setEnabled(many && layout_.canPrevious());
    const QSignalBlocker blockPage(pageSpin_);
    const QSignalBlocker blockAcross(acrossSpin_);
    const QSignalBlocker blockDown(downSpin_);
    pageSpin_->setMaximum(layout_.complete() ? layout_.pageCount() : kMostPages);
    pageSpin_->setToolTip(QString::fromLatin1(layout_.complete()
                                                  ? "Enter a page number from 1 to %1"
                                                  : "Enter a page number (%1 made so far)")
                              .arg(layout_.pageCount()));
    pageSpin_->setValue(layout_.current());
    const QSizeF room = viewSize();
    acrossSpin_->setMaximum(PreviewLayout::maxAcross(room));
    downSpin_->setMaximum(PreviewLayout::maxDown(room));
    acrossSpin_->setValue(layout_.across());
    downSpin_->setValue(layout_.down());
    for (QSpinBox* box : {pageSpin_, acrossSpin_, downSpin_}) box->setEnabled(many);
    for (QAction* a : zoomGroup_->actions())
        a->setChecked(a->data().toInt() == static_cast<int>(layout_.zoom()));
    printAction_->setEnabled(!printWaiting_);
    printButton_->setEnabled(!printWaiting_);
    messageZone_->setText(printWaiting_ ? QStringLiteral("Printing once the last page is made")
                                        : QString());
    positionZone_->setText(QString::fromStdString(layout_.positionText()));
    zoomZone_->setText(QString::fromStdString(layout_.zoomText()));
}

}  // namespace cdz
