#include "app/engine/browse/BrowseWindow.h"

#include "app/engine/columns/ColumnFit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDrag>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QVBoxLayout>

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "app/engine/browse/PageModel.h"
#include "app/engine/columns/ColumnLayoutStore.h"
#include "app/engine/columns/ColumnLayoutView.h"
#include "app/engine/columns/DatePictures.h"
#include "app/engine/columns/ListFormatStore.h"
#include "app/engine/resize/ControlResizer.h"
#include "app/engine/resize/DialogUnits.h"
#include "app/engine/state/AppState.h"
#include "app/engine/window/AppIcons.h"
#include "app/engine/window/WindowPlacement.h"
#include "runtime/data/RecordBindings.h"
#include "runtime/process/ProcessClock.h"

namespace cdz {
namespace {

QPushButton* makeButton(QWidget* parent, const QString& caption, const char* name) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

BrowseWindow::BrowseWindow(AppState& state, BrowseWindowSpec spec, BrowseDeclaration declaration,
                           std::unique_ptr<FileUse> files, QWidget* parent)
    : QWidget(parent), state_(state), spec_(std::move(spec)), files_(std::move(files)) {
    created_.start();
    setObjectName(QString::fromStdString(spec_.procedure));
    setAttribute(Qt::WA_DeleteOnClose);
    // An embedded list is part of its form's window: the form's request stays the form's.
    const Request calledWith = spec_.embedded ? Request::None : state_.takeRequest();

    // Every field of the view's files, by label, for ranges and query filters.
    RecordBindings::bind(bindings_, declaration.file->decl(), declaration.file->record());
    for (const auto& join : declaration.joins) {
        RecordBindings::bind(bindings_, join.first->decl(), join.first->record());
    }
    BrowseHost host;
    host.visibleRows = [this] { return list_ ? list_->visibleRows() : 1; };
    host.warning = [this](Warning warning, const std::string& label) {
        state_.warning()(warning, label);
    };
    host.close = [this] {
        QMetaObject::invokeMethod(this, &BrowseWindow::close, Qt::QueuedConnection);
    };
    host.callForm = [this](Request r) { return callForm(r); };
    host.busy = [](bool on) {
        if (on) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        } else {
            QApplication::restoreOverrideCursor();
        }
    };
    engine_ = std::make_unique<BrowseEngine>(std::move(declaration), bindings_, std::move(host),
                                             calledWith);
    build();
}

BrowseWindow::~BrowseWindow() = default;

void BrowseWindow::build() {
    // Not the override: a derived browse is not built yet.
    setWindowTitle(BrowseWindow::titleText());
    setWindowIcon(AppIcons::icon("WINPYR.ICO"));
    makeControls();
    applyListFormat();
    connectList();
    connectControls();
    placeControls();
    // After the list has its design place, which the layout's design takes.
    openLayout();
    resizer_ = new ControlResizer(*this);
    resizer_->recordControls(ResizeMode::Browse);
}

void BrowseWindow::makeControls() {
    tabs_ = new QTabBar(this);
    tabs_->setObjectName("SortTabs");
    for (const QString& t : spec_.tabs) tabs_->addTab(t);
    list_ = new BrowseList(this);
    model_ = new PageModel(*engine_, this);
    list_->setModel(model_);
    list_->verticalHeader()->setDefaultSectionSize(QFontMetrics(font()).height() + 6);
    thumb_ = new QScrollBar(Qt::Vertical, this);
    thumb_->setObjectName("Thumb");
    thumb_->setRange(0, 100);
    thumb_->setPageStep(10);
    select_ = makeButton(this, spec_.selectCaption, "SelectButton");
    insert_ = makeButton(this, spec_.insertCaption, "InsertButton");
    change_ = makeButton(this, spec_.changeCaption, "ChangeButton");
    delete_ = makeButton(this, spec_.deleteCaption, "DeleteButton");
    close_ = makeButton(this, spec_.closeCaption, "CloseButton");
    if (!spec_.closeIcon.isEmpty()) close_->setIcon(AppIcons::icon(spec_.closeIcon.toStdString()));
    insert_->setToolTip(spec_.insertTip);
    change_->setToolTip(spec_.changeTip);
    delete_->setToolTip(spec_.deleteTip);
    close_->setToolTip(spec_.closeTip);
    close_->setVisible(!spec_.embedded);
    select_->setVisible(engine_->selectMode());
    select_->setEnabled(engine_->selectMode());
    if (engine_->selectMode()) select_->setDefault(true);
    select_->setToolTip(spec_.selectTip);
    for (QPushButton* b : {insert_, change_, delete_}) {
        b->setVisible(edits());
        b->setEnabled(edits());
    }
    for (const BrowseButton& extra : spec_.extraButtons) {
        QPushButton* b = makeButton(this, extra.caption, "");
        b->setObjectName(extra.name);
        extras_.push_back(b);
        connect(b, &QPushButton::clicked, this, [this, pressed = extra.pressed] {
            if (pressed) pressed();
            engine_->forceRefresh();
            engine_->refresh();
            sync();
            list_->setFocus();
        });
    }
    if (spec_.showLocator) {
        locatorPrompt_ = new QLabel("Locator:", this);
        locator_ = new QLabel(this);
        locator_->setObjectName("Locator");
    }
}

// The list format: the user's saved one where it was made from this design.
void BrowseWindow::applyListFormat() {
    std::string text = spec_.designFormat;
    const std::string dates = state_.settings().dateFormat;
    if (spec_.keepFormat) {
        ListFormatStore store(state_.settingsFile(), spec_.procedure, spec_.listName);
        text = store.open(spec_.designFormat, dates);
    } else {
        text = replaceListDatePictures(spec_.designFormat, dates);
    }
    // The design is fitted to what its columns show; a format of the user's own is theirs.
    if (text == replaceListDatePictures(spec_.designFormat, dates)) {
        text = fitColumnWidths(text, QFontMetrics(font()));
    }
    auto parsed = ListFormat::parse(text);
    if (!parsed.format) parsed = ListFormat::parse(spec_.designFormat);
    format_ = parsed.format.value_or(ListFormat{});
    model_->setFormat(format_);
    const QFontMetrics fm(font());
    for (int c = 0; c < static_cast<int>(format_.columns().size()); ++c) {
        list_->setColumnWidth(
            c, dialogUnitsToPixelsX(format_.columns()[static_cast<size_t>(c)].width(),
                                    fm.averageCharWidth()));
    }
}

void BrowseWindow::connectList() {
    connect(list_, &BrowseList::moved, this, &BrowseWindow::move);
    connect(list_, &BrowseList::pressed, this, &BrowseWindow::press);
    connect(list_, &BrowseList::typed, this, [this](char32_t ch) {
        engine_->typeLocator(ch);
        sync();
    });
    connect(list_, &BrowseList::rowClicked, this, [this](int row) {
        engine_->select(row);
        sync();
    });
    connect(list_, &BrowseList::doubleClicked, this, [this](int row) {
        engine_->select(row);
        press(engine_->selectMode() ? BrowseList::Press::Select : BrowseList::Press::Change);
    });
    connect(list_, &BrowseList::popupRequested, this, &BrowseWindow::showPopup);
    connect(list_, &BrowseList::dragRequested, this, [this](int row) {
        QMimeData* offered = rowMimeData(row);
        if (!offered) return;
        auto* drag = new QDrag(this);
        drag->setMimeData(offered);
        drag->exec(Qt::CopyAction);
    });
    connect(list_, &BrowseList::rowsChanged, this, [this] {
        if (!opened_ || syncing_ || waiting_ > 0 ||
            engine_->page().count() == list_->visibleRows()) {
            return;
        }
        engine_->forceRefresh();
        engine_->refresh();
        sync();
    });
}

// The thumb, the tabs, the buttons, and focus coming back from another window.
void BrowseWindow::connectControls() {
    connect(thumb_, &QScrollBar::sliderReleased, this, [this] {
        engine_->dropThumb(thumb_->value());
        sync();
    });
    connect(thumb_, &QScrollBar::actionTriggered, this, [this](int action) {
        switch (action) {
            case QAbstractSlider::SliderSingleStepAdd:
                move(BrowseList::Move::LineDown);
                break;
            case QAbstractSlider::SliderSingleStepSub:
                move(BrowseList::Move::LineUp);
                break;
            case QAbstractSlider::SliderPageStepAdd:
                move(BrowseList::Move::PageDown);
                break;
            case QAbstractSlider::SliderPageStepSub:
                move(BrowseList::Move::PageUp);
                break;
            default:
                break;
        }
    });
    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
        engine_->setSortTab(index);
        engine_->refresh();
        sync();
    });
    connect(select_, &QPushButton::clicked, this, [this] { press(BrowseList::Press::Select); });
    connect(insert_, &QPushButton::clicked, this, [this] { press(BrowseList::Press::Insert); });
    connect(change_, &QPushButton::clicked, this, [this] { press(BrowseList::Press::Change); });
    connect(delete_, &QPushButton::clicked, this, [this] { press(BrowseList::Press::Delete); });
    connect(close_, &QPushButton::clicked, this, &BrowseWindow::closeBrowse);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        // Records may have changed in another window meanwhile.
        if (opened_ && waiting_ == 0 && now && isAncestorOf(now) && !(old && isAncestorOf(old))) {
            engine_->forceRefresh();
            engine_->refresh();
            sync();
        }
    });
}

// After the list format: the column layout saved last, where it is of this browse's version.
void BrowseWindow::openLayout() {
    if (spec_.columnTable.empty()) return;
    const std::string dates = state_.settings().dateFormat;
    ListLook design;
    design.horizontalScroll = list_->horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
    design.verticalScroll = true;
    design.lineHeight = list_->verticalHeader()->defaultSectionSize();
    design.font = FontChoice::fromQFont(list_->font(), Colour());
    design.x = pixelsToDialogUnitsX(list_->x(), QFontMetrics(font()).averageCharWidth());
    design.y = pixelsToDialogUnitsY(list_->y(), QFontMetrics(font()).height());
    design.width = pixelsToDialogUnitsX(list_->width(), QFontMetrics(font()).averageCharWidth());
    design.height = pixelsToDialogUnitsY(list_->height(), QFontMetrics(font()).height());
    ColumnLayout layout(
        spec_.columnTable, engine_->declaration().rowFields,
        fitColumnWidths(replaceListDatePictures(spec_.designFormat, dates), QFontMetrics(font())),
        design, dates);
    // A saved list format that shows no columns of the table leaves the design.
    layout.setFormat(format_);
    ColumnLayoutStore(state_.settingsFile(), spec_.procedure, spec_.listName, spec_.layoutVersion)
        .restore(layout, spec_.keepsListPlace, dates);
    ColumnLayoutView::Host host{*engine_,
                                *list_,
                                *model_,
                                state_.dialogs(),
                                QFontMetrics(font()).averageCharWidth(),
                                [this] { sync(); },
                                [this](const QString& title) { setWindowTitle(title); }};
    layout_ = new ColumnLayoutView(std::move(layout), std::move(host), this);
    format_ = layout_->layout().format();
    // The window opens and reads its first page later.
    layout_->apply(false);
}

void BrowseWindow::saveLayout() {
    if (!layout_) return;
    layout_->takeListWidths();
    format_ = layout_->layout().format();
    ColumnLayoutStore(state_.settingsFile(), spec_.procedure, spec_.listName, spec_.layoutVersion)
        .save(layout_->layout());
}

int BrowseWindow::unitsX(int du) const {
    return dialogUnitsToPixelsX(du, QFontMetrics(font()).averageCharWidth());
}

int BrowseWindow::unitsY(int du) const {
    return dialogUnitsToPixelsY(du, QFontMetrics(font()).height());
}

void BrowseWindow::startProcedure(const char* name) {
    engine_->refresh();
    state_.starter().start(name);
    engine_->forceRefresh();
    engine_->refresh();
    sync();
}

void BrowseWindow::runProcedure(const char* name) {
    engine_->refresh();
    runWaiting(name, Request::None);
    engine_->forceRefresh();
    engine_->refresh();
    sync();
}

QTabBar* BrowseWindow::makeAlphabetStrip(const std::function<void(int)>& chosen) {
    auto* letters = new QTabBar(this);
    letters->setObjectName("AlphabetStrip");
    QFont bold = letters->font();
    bold.setBold(true);
    letters->setFont(bold);
    letters->setExpanding(true);
    letters->setUsesScrollButtons(true);
    // Narrow tabs, so that the whole alphabet fits the window's width.
    letters->setStyleSheet("QTabBar::tab { padding: 1px 3px; min-width: 0px; }");
    for (char letter = 'A'; letter <= 'Z'; ++letter) letters->addTab(QString(QChar(letter)));
    connect(letters, &QTabBar::currentChanged, this, chosen);
    // A click on the letter already chosen is chosen again (the click comes before the change).
    connect(letters, &QTabBar::tabBarClicked, this, [letters, chosen](int index) {
        if (index == letters->currentIndex()) chosen(index);
    });
    return letters;
}

void BrowseWindow::markSortTab(int index) {
    if (markedTab_ >= 0 && markedTab_ < tabs_->count()) {
        QString before = tabs_->tabText(markedTab_);
        while (before.endsWith(' ')) before.chop(1);
        tabs_->setTabText(markedTab_, before);
    }
    markedTab_ = index;
    if (index >= 0 && index < tabs_->count()) {
        tabs_->setTabText(index, tabs_->tabText(index) + "   ");
    }
}

void BrowseWindow::relayout() {
    placeControls();
    resizer_->recordControls(ResizeMode::Browse);
}

QMimeData* BrowseWindow::rowMimeData(int /*row*/) const {
    return nullptr;
}

void BrowseWindow::placeControls() {
    auto x = [&](int du) { return unitsX(du); };
    auto y = [&](int du) { return unitsY(du); };
    const int w = spec_.designSize.width(), h = spec_.designSize.height();
    designPixels_ = QSize(x(w), y(h));
    resize(designPixels_);
    tabs_->setGeometry(x(4), y(4), x(w - 8), y(12));
    const int listHeight = h - 16 - 24 - (locator_ ? 12 : 0);
    list_->setGeometry(x(4), y(16), x(w - 8 - 10), y(listHeight));
    thumb_->setGeometry(x(w - 14), y(16), x(10), y(listHeight));
    if (locator_) {
        locatorPrompt_->setGeometry(x(4), y(16 + listHeight + 2), x(40), y(10));
        locator_->setGeometry(x(46), y(16 + listHeight + 2), x(w - 50), y(10));
    }
    const int by = h - 20;
    int bx = 4;
    for (QPushButton* b : {select_, insert_, change_, delete_}) {
        if (b == select_ ? !engine_->selectMode() : !edits()) continue;
        b->setGeometry(x(bx), y(by), x(40), y(14));
        bx += 42;
    }
    for (QPushButton* b : extras_) {
        b->setGeometry(x(bx), y(by), x(72), y(14));
        bx += 74;
    }
    close_->setGeometry(x(w - 46), y(by), x(42), y(14));
}

void BrowseWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (opened_) return;
    opened_ = true;
    if (!spec_.embedded) WindowPlacement::restore(*this, state_.settingsFile(), spec_.procedure);
    resizer_->resizeControls();
    engine_->refresh();
    sync();
    list_->setFocus();
    reportFirstPage();
}

void BrowseWindow::reportFirstPage() {
    const char* report = std::getenv(kReportFirstPage);
    if (!report || std::string_view(report) == "" || std::string_view(report) == "0") return;
    connect(
        list_, &BrowseList::painted, this,
        [this] {
            std::fprintf(stderr,
                         "cdzapp: %s: first page painted %.0f ms after the process started, %lld "
                         "ms after the window was created\n",
                         spec_.procedure.c_str(), ProcessClock::millisecondsSinceStart(),
                         static_cast<long long>(created_.elapsed()));
            std::fflush(stderr);
        },
        Qt::SingleShotConnection);
}

QString BrowseWindow::titleText() const {
    if (!spec_.countInTitle) return spec_.title;
    DataFile& file = *engine_->declaration().file;
    return spec_.title + QString::number(file.records()) + " entries";
}

void BrowseWindow::runAdding(const char* procedure, Request request) {
    engine_->refresh();
    if (runWaiting(procedure, request) == Response::Completed) {
        engine_->locate(BrowseEngine::LocateMode::EditedRecord);
    } else {
        engine_->forceRefresh();
        engine_->refresh();
    }
    sync();
    list_->setFocus();
}

void BrowseWindow::sync() {
    if (syncing_) return;
    syncing_ = true;
    model_->reload();
    const int choice = engine_->choice();
    if (choice > 0) list_->selectRow(choice - 1);
    const bool rows = engine_->canChange();
    change_->setEnabled(edits() && rows);
    delete_->setEnabled(edits() && rows);
    if (locator_) locator_->setText(QString::fromStdString(engine_->locatorText()));
    if (engine_->selectMode()) select_->setEnabled(rows);
    thumb_->setVisible(engine_->thumbVisible() &&
                       (!layout_ || layout_->layout().look().verticalScroll));
    thumb_->setValue(engine_->thumb());
    setWindowTitle(titleText());
    afterSync();
    syncing_ = false;
}

void BrowseWindow::move(BrowseList::Move m) {
    switch (m) {
        case BrowseList::Move::LineUp:
            engine_->scrollOne(false);
            break;
        case BrowseList::Move::LineDown:
            engine_->scrollOne(true);
            break;
        case BrowseList::Move::PageUp:
            engine_->scrollPage(false);
            break;
        case BrowseList::Move::PageDown:
            engine_->scrollPage(true);
            break;
        case BrowseList::Move::Top:
            engine_->scrollEnd(false);
            break;
        case BrowseList::Move::Bottom:
            engine_->scrollEnd(true);
            break;
    }
    sync();
}

// A posted button: nothing happens when it is disabled or hidden.
void BrowseWindow::press(BrowseList::Press button) {
    QPushButton* b = button == BrowseList::Press::Insert   ? insert_
                     : button == BrowseList::Press::Change ? change_
                     : button == BrowseList::Press::Delete ? delete_
                                                           : select_;
    if (!b->isEnabled() || !b->isVisible()) return;
    switch (button) {
        case BrowseList::Press::Insert:
            engine_->insert();
            break;
        case BrowseList::Press::Change:
            engine_->change();
            break;
        case BrowseList::Press::Delete:
            engine_->erase();
            break;
        case BrowseList::Press::Select:
            if (engine_->choose()) {
                sync();
                closeBrowse();
                return;
            }
            break;
    }
    sync();
    list_->setFocus();
}

void BrowseWindow::showPopup() {
    if (layout_ && layout_->offerKeySequence()) return;
    // Items: the edit buttons (when the browse has a form), Select (when it has one), then the
    // browse's own extras.
    std::vector<std::string> base;
    std::vector<BrowseList::Press> presses;
    if (edits()) {
        base = {spec_.insertCaption.toStdString(), spec_.changeCaption.toStdString(),
                spec_.deleteCaption.toStdString()};
        presses = {BrowseList::Press::Insert, BrowseList::Press::Change, BrowseList::Press::Delete};
    }
    const bool hasSelect = engine_->declaration().hasSelectButton;
    if (hasSelect) presses.push_back(BrowseList::Press::Select);
    const BrowsePopup popup = BrowsePopup::build(base, engine_->page().empty(), hasSelect,
                                                 engine_->selectMode(), popupExtras());
    const int item = state_.dialogs().popup(popup.text);
    if (item < 1 || item > static_cast<int>(popup.buttons.size())) return;
    const int button = popup.buttons[static_cast<size_t>(item - 1)];
    const int extrasFrom = static_cast<int>(presses.size());
    if (button >= extrasFrom) {
        pressExtra(button - extrasFrom);
        return;
    }
    press(presses[static_cast<size_t>(button)]);
}

// The browse is the caller while the procedure runs: what it shows goes over this browse's
// window, which waits for it.
Response BrowseWindow::runWaiting(std::string_view procedure, Request request) {
    ++waiting_;
    const Response r = state_.call(procedure, request, this);
    --waiting_;
    return r;
}

Response BrowseWindow::callForm(Request request) {
    beforeForm();
    const Response r = runWaiting(spec_.formProcedure, request);
    afterForm();
    return r == Response::None ? Response::Cancelled : r;
}

void BrowseWindow::closeBrowse() {
    close();
}

void BrowseWindow::saveFormat() {
    if (!spec_.keepFormat) return;
    const QFontMetrics fm(font());
    auto& columns = format_.columns();
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        columns[static_cast<size_t>(c)].setWidth(
            pixelsToDialogUnitsX(list_->ownWidth(c), fm.averageCharWidth()));
    }
    ListFormatStore store(state_.settingsFile(), spec_.procedure, spec_.listName);
    store.close(format_.text());
}

void BrowseWindow::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        closing_ = true;
        saveLayout();
        saveFormat();
        if (!spec_.embedded) WindowPlacement::save(*this, state_.settingsFile(), spec_.procedure);
        if (!spec_.embedded) state_.respond(engine_->response());
        files_.reset();
        emit finished();
    }
    event->accept();
}

bool BrowseWindow::eventFilter(QObject* watched, QEvent* event) {
    return QWidget::eventFilter(watched, event);
}

Response BrowseWindow::runModal(BrowseWindow* browse, QWidget* parent) {
    QDialog dialog(parent);
    dialog.setObjectName(browse->objectName() + "Dialog");
    dialog.setWindowTitle(browse->windowTitle());
    auto* layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    browse->setAttribute(Qt::WA_DeleteOnClose, false);
    layout->addWidget(browse);
    dialog.resize(browse->size());
    connect(browse, &BrowseWindow::finished, &dialog, &QDialog::accept);
    QObject::connect(&dialog, &QDialog::rejected, browse, &QWidget::close);
    dialog.exec();
    browse->close();
    const Response r = browse->engine().response();
    delete browse;
    return r;
}

}  // namespace cdz
