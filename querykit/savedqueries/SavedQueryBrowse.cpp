#include "querykit/savedqueries/SavedQueryBrowse.h"

#include <algorithm>

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QStringList>
#include <QTreeView>
#include <QVBoxLayout>

#include "querykit/savedqueries/DeleteRequest.h"
#include "querykit/savedqueries/SavedQueryList.h"

namespace qk {

namespace {

constexpr int kLocatorChars = 30;  // as far as the description key's locator reaches

// The popup's items, numbered as the facade answers them.
enum PopupItem { kPopupInsert = 1, kPopupChange, kPopupDelete, kPopupSelect };

QString popupItem(const char* text, bool enabled) {
    return enabled ? QString(text) : QStringLiteral("~") + text;
}

}  // namespace

SavedQueryBrowse::SavedQueryBrowse(QueryStore& store, std::string_view className, bool allowJoin,
                                   bool selectMode, QWidget* parent)
    : StatusDialog(parent), store_(store), selectMode_(selectMode) {
    const DisplayTexts& texts = store.texts();
    setObjectName("SavedQueryBrowse");
    setWindowTitle(slotText(texts, 202));
    if (const QString extra = slotText(texts, 200); !extra.isEmpty()) setWhatsThis(extra);

    list_ = new SavedQueryList(store, className, slotText(texts, 201), kPageRows, this);
    list_->onReadFailed([this] { reject(); });
    view_ = new QTreeView(this);
    view_->setObjectName("SavedQueryList");
    view_->setModel(list_);
    view_->setRootIsDecorated(false);
    view_->setItemsExpandable(false);
    view_->setUniformRowHeights(true);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    view_->header()->setStretchLastSection(true);
    view_->installEventFilter(this);
    body()->addWidget(view_, 1);

    select_ = slotButton(texts, 215, "SelectButton", this);
    andJoin_ = new QPushButton(QStringLiteral("&AND Join"), this);
    andJoin_->setObjectName("AndJoinButton");
    orJoin_ = new QPushButton(QStringLiteral("&OR Join"), this);
    orJoin_->setObjectName("OrJoinButton");
    insert_ = slotButton(texts, 212, "InsertButton", this);
    change_ = slotButton(texts, 203, "ChangeButton", this);
    delete_ = slotButton(texts, 209, "DeleteButton", this);
    close_ = slotButton(texts, 206, "CloseButton", this);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {select_, andJoin_, orJoin_, insert_, change_, delete_, close_}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    body()->addLayout(buttons);
    select_->setVisible(selectMode_);
    andJoin_->setVisible(allowJoin);
    orJoin_->setVisible(allowJoin);
    (selectMode_ ? select_ : change_)->setDefault(true);

    connect(select_, &QPushButton::clicked, this, [this] { choose(BrowseOutcome::Select); });
    connect(andJoin_, &QPushButton::clicked, this, [this] { choose(BrowseOutcome::AndJoin); });
    connect(orJoin_, &QPushButton::clicked, this, [this] { choose(BrowseOutcome::OrJoin); });
    connect(insert_, &QPushButton::clicked, this,
            [this] { done(static_cast<int>(BrowseOutcome::Insert)); });
    connect(change_, &QPushButton::clicked, this, [this] { choose(BrowseOutcome::Change); });
    connect(delete_, &QPushButton::clicked, this, [this] { deleteHighlighted(); });
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
    connect(view_, &QAbstractItemView::doubleClicked, this,
            [this] { choose(selectMode_ ? BrowseOutcome::Select : BrowseOutcome::Change); });
    connect(view_, &QWidget::customContextMenuRequested, this, [this] { showPopup(); });
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { refreshButtons(); });
    connect(list_, &QAbstractItemModel::modelReset, this, [this] { refreshButtons(); });
    connect(list_, &QAbstractItemModel::rowsInserted, this, [this] {
        if (currentRow() < 0) highlight(0);
    });

    list_->fetchMore({});
    highlight(0);
    refreshButtons();
    view_->setFocus();
}

BrowseOutcome SavedQueryBrowse::run() {
    const int code = exec();
    return code == QDialog::Rejected ? BrowseOutcome::Cancelled : static_cast<BrowseOutcome>(code);
}

int SavedQueryBrowse::currentRow() const {
    const QModelIndex i = view_->currentIndex();
    return i.isValid() ? i.row() : -1;
}

void SavedQueryBrowse::highlight(int row) {
    if (row < 0 || row >= list_->rowCount()) return;
    const QModelIndex i = list_->index(row);
    view_->setCurrentIndex(i);
    view_->scrollTo(i);
}

void SavedQueryBrowse::refreshButtons() {
    const bool highlighted = currentRow() >= 0;
    for (QPushButton* b : {select_, andJoin_, orJoin_, change_, delete_}) {
        b->setEnabled(highlighted);
    }
    select_->setEnabled(highlighted && selectMode_);
}

void SavedQueryBrowse::choose(BrowseOutcome outcome) {
    const int32_t queryNo = list_->queryNo(currentRow());
    if (queryNo == 0) return;
    if (!store_.readQuery(queryNo)) {
        // Another station deleted it meanwhile.
        store_.messages().warning(cdz::Warning::RecordRetrievalError, store_.database().error(),
                                  "XRQW_Queries");
        list_->reload();
        return;
    }
    if (outcome != BrowseOutcome::Change && store_.query().Invalid != 0) {
        QApplication::beep();
        store_.messages().show(store_.texts().text(220), store_.texts().text(221));
        return;
    }
    done(static_cast<int>(outcome));
}

void SavedQueryBrowse::deleteHighlighted() {
    const int row = currentRow();
    const int32_t queryNo = list_->queryNo(row);
    if (queryNo == 0 || !deleteSavedQuery(store_, queryNo)) return;
    list_->reload();
    highlight(std::min(row, list_->rowCount() - 1));
    refreshButtons();
}

void SavedQueryBrowse::showPopup() {
    const bool highlighted = currentRow() >= 0;
    const QString text = QStringList{popupItem("&Insert", true), popupItem("&Change", highlighted),
                                     popupItem("&Delete", highlighted),
                                     popupItem("&Select", highlighted && selectMode_)}
                             .join('|');
    switch (store_.messages().dialogs().popup(text.toStdString())) {
        case kPopupInsert:
            insert_->click();
            break;
        case kPopupChange:
            change_->click();
            break;
        case kPopupDelete:
            delete_->click();
            break;
        case kPopupSelect:
            select_->click();
            break;
        default:
            break;
    }
}

void SavedQueryBrowse::locate() {
    const int row = list_->find(locator_);
    if (row < 0) {
        QApplication::beep();
        return;
    }
    highlight(row);
}

bool SavedQueryBrowse::eventFilter(QObject* watched, QEvent* e) {
    if (watched == view_ && e->type() == QEvent::KeyPress) {
        return keyPressed(*static_cast<QKeyEvent*>(e));
    }
    return StatusDialog::eventFilter(watched, e);
}

bool SavedQueryBrowse::keyPressed(const QKeyEvent& key) {
    const bool ctrl = key.modifiers().testFlag(Qt::ControlModifier);
    switch (key.key()) {
        case Qt::Key_Insert:
            insert_->click();
            return true;
        case Qt::Key_Delete:
            delete_->click();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!ctrl) return false;
            change_->click();
            return true;
        case Qt::Key_Backspace:
            if (!locator_.isEmpty()) {
                locator_.chop(1);
                if (!locator_.isEmpty()) locate();
            }
            return true;
        default:
            break;
    }
    const QString typed = key.text();
    const bool printable = !typed.isEmpty() && typed.at(0).isPrint() && !ctrl &&
                           !key.modifiers().testFlag(Qt::AltModifier);
    if (!printable) {
        locator_.clear();  // a movement starts the next search afresh
        return false;
    }
    if (locator_.size() < kLocatorChars) locator_ += typed;
    locate();
    return true;
}

}  // namespace qk
