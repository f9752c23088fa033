#include "app/engine/columns/ColumnLayoutWindow.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/engine/columns/ColumnLayoutView.h"
#include "app/engine/columns/ColumnSettings.h"
#include "app/engine/resize/DialogUnits.h"
#include "app/engine/resize/WindowButton.h"
#include "app/engine/state/AppState.h"
#include "app/engine/window/AppIcons.h"
#include "app/engine/window/WindowPlacement.h"

namespace cdz {
namespace {

constexpr int kLeastWidth = 136;  // dialog units
constexpr int kLeastHeight = 196;
constexpr int kOpeningWidth = 380;  // dialog units, until the user gives the window a place
constexpr int kOpeningHeight = 330;

QTreeWidget* columnList(QWidget* parent, const char* name, const QString& first, const char* tip) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setColumnCount(2);
    list->setHeaderLabels({first, "Data"});
    list->setRootIsDecorated(false);
    list->setToolTip(tip);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->header()->setStretchLastSection(true);
    list->viewport()->installEventFilter(parent);
    return list;
}

}  // namespace

ColumnLayoutWindow::ColumnLayoutWindow(AppState& state, ColumnLayoutView& view, bool keepsListPlace,
                                       QWidget* parent)
    : QDialog(parent), state_(state), view_(view), layout_(view.layout()) {
    setObjectName(kPlacement);
    setWindowTitle("Format Listbox...");
    setWindowIcon(AppIcons::icon("WINPYR.ICO"));
    build(keepsListPlace);
    addKeys();
    fillLists(layout_.shown().empty() ? std::nullopt : std::optional<size_t>(0));
    loadLook();
    const QFontMetrics fm(font());
    setMinimumSize(dialogUnitsToPixelsX(kLeastWidth, fm.averageCharWidth()),
                   dialogUnitsToPixelsY(kLeastHeight, fm.height()));
    resize(dialogUnitsToPixelsX(kOpeningWidth, fm.averageCharWidth()),
           dialogUnitsToPixelsY(kOpeningHeight, fm.height()));
}

void ColumnLayoutWindow::run(AppState& state, ColumnLayoutView& view, bool keepsListPlace,
                             QWidget* parent) {
    ColumnLayoutWindow window(state, view, keepsListPlace, parent);
    window.setWindowModality(Qt::WindowModal);
    WindowPlacement::restore(window, state.settingsFile(), kPlacement);
    window.exec();
}

void ColumnLayoutWindow::build(bool keepsListPlace) {
    makeWidgets();
    layOut(keepsListPlace);
    connectWidgets();
}

void ColumnLayoutWindow::makeWidgets() {
    allList_ = columnList(this, "AllColumns", "Column", "Right Click to display field");
    shownList_ = columnList(this, "ShownColumns", "Field", "Right Click to erase field");
    left_ = makeWindowButton(this, "", "Move Column Left", "MoveLeftButton");
    left_->setIcon(AppIcons::icon("MOVEDOWN.ICO"));
    right_ = makeWindowButton(this, "", "Move Column Right", "MoveRightButton");
    right_->setIcon(AppIcons::icon("MOVEUP.ICO"));
    add_ = makeWindowButton(this, "", "Add Column to display list", "AddColumnButton");
    add_->setIcon(AppIcons::icon("ADD.ICO"));
    hide_ = makeWindowButton(this, "", "Hide column from display list", "HideColumnButton");
    hide_->setIcon(AppIcons::icon("REMOVE.ICO"));
    settings_ = new ColumnSettings(layout_, this);
    settings_->setObjectName("ColumnSettings");

    lineHeight_ = ColumnSettings::unitsBox(this, "LineHeight", "Adjust Line Height", 1);
    font_ = makeWindowButton(this, "F&ont", "Assign New Font to Listbox", "FontButton");
    vertical_ = ColumnSettings::switchBox(this, "&Vertical Scroll", "VerticalScroll",
                                          "Display Vertical Scroll bar");
    horizontal_ = ColumnSettings::switchBox(this, "Hori&zontal Scroll", "HorizontalScroll",
                                            "Display Horizontal Scroll bar");
    x_ = ColumnSettings::unitsBox(this, "ListX", "", 0);
    y_ = ColumnSettings::unitsBox(this, "ListY", "", 0);
    width_ = ColumnSettings::unitsBox(this, "ListWidth", "", 1);
    height_ = ColumnSettings::unitsBox(this, "ListHeight", "", 1);
    default_ = makeWindowButton(this, "&Default", "Reset listbox back to default", "DefaultButton");
    close_ = makeWindowButton(this, "&Close", "", "CloseButton");
}

// The list's own look; its place only where the browse keeps it.
QGroupBox* ColumnLayoutWindow::listBox(bool keepsListPlace) {
    auto* list = new QGroupBox("Listbox", this);
    auto* grid = new QGridLayout(list);
    auto label = [this](const char* text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    grid->addWidget(label("&LineHeight:", lineHeight_), 0, 0);
    grid->addWidget(lineHeight_, 0, 1);
    grid->addWidget(font_, 1, 0, 1, 2);
    grid->addWidget(vertical_, 2, 0, 1, 2);
    grid->addWidget(horizontal_, 3, 0, 1, 2);
    int row = 4;
    const std::pair<const char*, QSpinBox*> place[] = {
        {"&X Pos:", x_}, {"&Y Pos:", y_}, {"Wid&th:", width_}, {"H&eight:", height_}};
    for (const auto& [caption, box] : place) {
        QLabel* l = label(caption, box);
        grid->addWidget(l, row, 0);
        grid->addWidget(box, row++, 1);
        // Only a browse that keeps its list's place lets the user move the list.
        l->setVisible(keepsListPlace);
        box->setVisible(keepsListPlace);
    }
    grid->setRowStretch(row, 1);

    return list;
}

void ColumnLayoutWindow::layOut(bool keepsListPlace) {
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {add_, hide_, left_, right_}) buttons->addWidget(b);
    buttons->addStretch();
    auto* lists = new QHBoxLayout;
    lists->addWidget(allList_, 1);
    lists->addLayout(buttons);
    lists->addWidget(shownList_, 1);

    auto* column = new QGroupBox("Column", this);
    auto* columnBox = new QVBoxLayout(column);
    columnBox->addWidget(settings_);
    QGroupBox* list = listBox(keepsListPlace);

    auto* middle = new QHBoxLayout;
    middle->addWidget(column, 3);
    middle->addWidget(list, 2);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(default_);
    bottom->addStretch();
    bottom->addWidget(close_);
    auto* all = new QVBoxLayout(this);
    all->addLayout(lists, 1);
    all->addLayout(middle);
    all->addLayout(bottom);
}

void ColumnLayoutWindow::connectWidgets() {
    connect(left_, &QPushButton::clicked, this, &ColumnLayoutWindow::moveLeft);
    connect(right_, &QPushButton::clicked, this, &ColumnLayoutWindow::moveRight);
    connect(add_, &QPushButton::clicked, this, &ColumnLayoutWindow::showHighlighted);
    connect(hide_, &QPushButton::clicked, this, &ColumnLayoutWindow::hideHighlighted);
    connect(default_, &QPushButton::clicked, this, &ColumnLayoutWindow::resetLayout);
    connect(font_, &QPushButton::clicked, this, &ColumnLayoutWindow::chooseFont);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    // The settings act on the column last chosen, in whichever list the user chose it.
    for (QTreeWidget* columns : {shownList_, allList_}) {
        connect(columns, &QTreeWidget::currentItemChanged, this,
                [this, columns] { follow(columns); });
        columns->installEventFilter(this);
    }
    connect(shownList_, &QTreeWidget::itemDoubleClicked, this, &ColumnLayoutWindow::formatColumn);
    connect(settings_, &ColumnSettings::changed, this, &ColumnLayoutWindow::changed);
    connect(lineHeight_, &QSpinBox::valueChanged, this, &ColumnLayoutWindow::lookEdited);
    for (QSpinBox* box : {x_, y_, width_, height_}) {
        connect(box, &QSpinBox::valueChanged, this, &ColumnLayoutWindow::lookEdited);
    }
    for (QCheckBox* box : {vertical_, horizontal_}) {
        connect(box, &QCheckBox::toggled, this, &ColumnLayoutWindow::lookEdited);
    }
}

void ColumnLayoutWindow::addKeys() {
    const std::pair<QKeySequence, std::function<void()>> keys[] = {
        {QKeySequence(Qt::ALT | Qt::Key_Down), [this] { left_->click(); }},
        {QKeySequence(Qt::ALT | Qt::Key_Up), [this] { right_->click(); }},
        {QKeySequence(Qt::ALT | Qt::Key_Right), [this] { add_->click(); }},
        {QKeySequence(Qt::ALT | Qt::Key_Left), [this] { hide_->click(); }},
        {QKeySequence(Qt::ALT | Qt::Key_1), [this] { allList_->setFocus(); }},
        {QKeySequence(Qt::ALT | Qt::Key_2), [this] { shownList_->setFocus(); }},
        {QKeySequence(Qt::ALT | Qt::Key_F12), [this] { default_->click(); }},
    };
    for (const auto& [sequence, action] : keys) {
        auto* key = new QShortcut(sequence, this);
        key->setContext(Qt::WindowShortcut);
        connect(key, &QShortcut::activated, this, action);
    }
}

// Both lists again, the shown one highlighting `shownPlace`.
void ColumnLayoutWindow::fillLists(std::optional<size_t> shownPlace) {
    const std::optional<size_t> all = allColumn();
    shownList_->clear();
    for (size_t p = 0; p < layout_.shown().size(); ++p) {
        const LayoutColumn& row = layout_.table()[layout_.shown()[p].column];
        const QString header = QString::fromStdString(layout_.column(p).header().value_or(""));
        shownList_->addTopLevelItem(
            new QTreeWidgetItem({header, QString::fromStdString(row.field)}));
    }
    allList_->clear();
    const QIcon tick = AppIcons::icon("SMALLTIK.ICO");
    for (size_t c = 0; c < layout_.table().size(); ++c) {
        const LayoutColumn& row = layout_.table()[c];
        auto* item = new QTreeWidgetItem(
            {QString::fromStdString(row.header), QString::fromStdString(row.field)});
        if (layout_.placeOf(c)) item->setIcon(0, tick);
        allList_->addTopLevelItem(item);
    }
    if (shownPlace && *shownPlace < layout_.shown().size()) {
        shownList_->setCurrentItem(shownList_->topLevelItem(static_cast<int>(*shownPlace)));
    }
    for (QTreeWidget* list : {shownList_, allList_}) list->resizeColumnToContents(0);
    if (all && *all < layout_.table().size()) {
        allList_->setCurrentItem(allList_->topLevelItem(static_cast<int>(*all)));
    }
    settings_->showColumn(this->shownPlace());
}

void ColumnLayoutWindow::loadLook() {
    loading_ = true;
    const ListLook& look = layout_.look();
    lineHeight_->setValue(look.lineHeight);
    vertical_->setChecked(look.verticalScroll);
    horizontal_->setChecked(look.horizontalScroll);
    x_->setValue(look.x);
    y_->setValue(look.y);
    width_->setValue(look.width);
    height_->setValue(look.height);
    loading_ = false;
}

void ColumnLayoutWindow::lookEdited() {
    if (loading_) return;
    ListLook& look = layout_.look();
    look.lineHeight = lineHeight_->value();
    look.verticalScroll = vertical_->isChecked();
    look.horizontalScroll = horizontal_->isChecked();
    look.x = x_->value();
    look.y = y_->value();
    look.width = width_->value();
    look.height = height_->value();
    view_.apply();
}

// A column chosen among all columns is edited when it is shown; a hidden one has no settings.
void ColumnLayoutWindow::follow(QTreeWidget* list) {
    if (list == shownList_) {
        settings_->showColumn(shownPlace());
        return;
    }
    const std::optional<size_t> column = allColumn();
    settings_->showColumn(column ? layout_.placeOf(*column) : std::nullopt);
}

void ColumnLayoutWindow::changed() {
    view_.apply();
    // The shown list names each column by its header.
    const std::optional<size_t> place = settings_->place();
    if (!place) return;
    shownList_->topLevelItem(static_cast<int>(*place))
        ->setText(0, QString::fromStdString(layout_.column(*place).header().value_or("")));
}

std::optional<size_t> ColumnLayoutWindow::shownPlace() const {
    const int row =
        shownList_->currentItem() ? shownList_->indexOfTopLevelItem(shownList_->currentItem()) : -1;
    if (row < 0) return std::nullopt;
    return static_cast<size_t>(row);
}

std::optional<size_t> ColumnLayoutWindow::allColumn() const {
    const int row =
        allList_->currentItem() ? allList_->indexOfTopLevelItem(allList_->currentItem()) : -1;
    if (row < 0) return std::nullopt;
    return static_cast<size_t>(row);
}

void ColumnLayoutWindow::moveLeft() {
    const auto place = shownPlace();
    if (!place || !layout_.moveLeft(*place)) return;
    view_.apply();
    fillLists(*place - 1);
}

void ColumnLayoutWindow::moveRight() {
    const auto place = shownPlace();
    if (!place || !layout_.moveRight(*place)) return;
    view_.apply();
    fillLists(*place + 1);
}

void ColumnLayoutWindow::showHighlighted() {
    const auto column = allColumn();
    if (!column || !layout_.show(*column)) return;
    view_.apply();
    fillLists(layout_.shown().size() - 1);
}

void ColumnLayoutWindow::hideHighlighted() {
    const auto place = shownPlace();
    if (!place || !layout_.hide(*place)) return;
    view_.apply();
    fillLists(std::min(*place, layout_.shown().size() - 1));
}

void ColumnLayoutWindow::resetLayout() {
    view_.reset();
    fillLists(0);
    loadLook();
}

void ColumnLayoutWindow::chooseFont() {
    const auto chosen = state_.dialogs().font("Font", layout_.look().font);
    if (!chosen) return;
    layout_.look().font = *chosen;
    view_.apply();
}

void ColumnLayoutWindow::formatColumn() {
    const auto place = shownPlace();
    if (!place) return;
    QDialog dialog(this);
    dialog.setObjectName("ColvueFormatColumn");
    dialog.setWindowTitle("Format Listbox Column");
    auto* settings = new ColumnSettings(layout_, &dialog);
    settings->showColumn(*place);
    auto* close = makeWindowButton(&dialog, "&Close", "", "CloseButton");
    auto* box = new QVBoxLayout(&dialog);
    box->addWidget(settings);
    box->addWidget(close, 0, Qt::AlignRight);
    connect(settings, &ColumnSettings::changed, this, [this] { view_.apply(); });
    connect(close, &QPushButton::clicked, &dialog, &QDialog::accept);
    dialog.exec();
    fillLists(*place);
}

// A right click hides the shown column under the mouse, or shows the column of all under it.
bool ColumnLayoutWindow::eventFilter(QObject* watched, QEvent* event) {
    // Coming back to a list chooses its highlighted column again.
    if (event->type() == QEvent::FocusIn) {
        if (watched == shownList_ || watched == allList_)
            follow(static_cast<QTreeWidget*>(watched));
    }
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::RightButton) {
            for (QTreeWidget* list : {shownList_, allList_}) {
                if (!list || watched != list->viewport()) continue;
                QTreeWidgetItem* item = list->itemAt(press->position().toPoint());
                if (!item) return true;
                list->setCurrentItem(item);
                if (list == shownList_) {
                    hideHighlighted();
                } else {
                    showHighlighted();
                }
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ColumnLayoutWindow::done(int result) {
    WindowPlacement::save(*this, state_.settingsFile(), kPlacement);
    QDialog::done(result);
}

}  // namespace cdz
