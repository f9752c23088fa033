#include "app/playlists/PlaylistEntryList.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "app/engine/resize/WindowButton.h"
#include "app/engine/state/AppState.h"
#include "app/engine/window/AppIcons.h"
#include "app/playlists/ChartCopyWindow.h"
#include "app/playlists/PlaylistEntryForm.h"
#include "app/songs/SongDrops.h"
#include "runtime/text/Picture.h"

namespace cdz {
namespace {

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

PlaylistEntryList::PlaylistEntryList(AppState& state, QWidget* parent)
    : QWidget(parent),
      state_(state),
      entries_(state.catalogue()),
      list_(new QTreeWidget),
      chart_(makeWindowButton(
          this, "Char&t", "Copy the current chart order into the last week column", "ChartButton")),
      add_(makeWindowButton(this, "&Add", {}, "AddEntryButton")),
      change_(makeWindowButton(this, "&Change", {}, "ChangeEntryButton")),
      delete_(makeWindowButton(this, "&Delete", {}, "DeleteEntryButton")),
      total_(new QLabel(this)),
      hint_(new QLabel("Drag from the \"Songs\" window and drop on the Playlist", this)) {
    setObjectName("PlaylistEntryList");
    list_->setObjectName("EntryList");
    list_->setColumnCount(kColumns);
    list_->setHeaderLabels({"Seq", "Artist", "Title", "Time", "Notes"});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->headerItem()->setTextAlignment(Seq, Qt::AlignCenter);
    list_->setColumnWidth(Seq, 36);
    list_->setColumnWidth(Artist, 120);
    list_->setColumnWidth(Title, 150);
    list_->setColumnWidth(Time, 64);
    list_->setAcceptDrops(true);
    new SongDrops(*list_->viewport(), [this](int64_t song) { return dropSong(song); });
    total_->setObjectName("TotalTime");
    hint_->setObjectName("DropHint");

    struct MoveButton {
        PlaylistEntries::Move how;
        const char* icon;
        const char* tip;
        const char* name;
    };
    const MoveButton buttons[] = {
        {PlaylistEntries::Move::Up, "ARROWUP.ICO", "Move record up one", "UpButton"},
        {PlaylistEntries::Move::Top, "ARROWBEG.ICO", "Move record to the top", "TopButton"},
        {PlaylistEntries::Move::Down, "ARROWDN.ICO", "Move record down one", "DownButton"},
        {PlaylistEntries::Move::Bottom, "ARROWEND.ICO", "Move record to the bottom",
         "BottomButton"},
    };
    auto* moves = new QVBoxLayout;
    for (const MoveButton& m : buttons) {
        QPushButton* b = makeWindowButton(this, {}, m.tip, m.name);
        b->setIcon(AppIcons::icon(m.icon));
        connect(b, &QPushButton::clicked, this, [this, how = m.how] { move(how); });
        moves_.push_back(b);
        moves->addWidget(b);
    }
    moves->addStretch();

    auto* songs = new QGroupBox("Songs", this);
    auto* inside = new QHBoxLayout(songs);
    inside->addWidget(list_, 1);
    inside->addLayout(moves);

    auto* row = new QHBoxLayout;
    for (QPushButton* b : {chart_, add_, change_, delete_}) row->addWidget(b);
    row->addStretch();
    row->addWidget(new QLabel("Total Time:", this));
    row->addWidget(total_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(songs, 1);
    layout->addLayout(row);
    layout->addWidget(hint_);

    connect(chart_, &QPushButton::clicked, this, &PlaylistEntryList::chart);
    connect(add_, &QPushButton::clicked, this, [this] { edit(Request::Insert); });
    connect(change_, &QPushButton::clicked, this, [this] { edit(Request::Change); });
    connect(delete_, &QPushButton::clicked, this, [this] { edit(Request::Delete); });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { edit(Request::Change); });
    connect(list_, &QTreeWidget::currentItemChanged, this, [this] { enableButtons(); });
    reload();
}

int32_t PlaylistEntryList::playlist() const {
    return state_.catalogue().playlist().PlaylistID;
}

int64_t PlaylistEntryList::current() const {
    const QTreeWidgetItem* item = list_->currentItem();
    return item ? item->data(Seq, Qt::UserRole).toLongLong() : 0;
}

void PlaylistEntryList::reload(int64_t seq) {
    if (seq == 0) seq = current();
    const int row = list_->currentItem() ? list_->indexOfTopLevelItem(list_->currentItem()) : 0;
    if (entries_.rows(playlist(), &rows_) != 0) {
        state_.warning()(Warning::RecordRetrievalError, "PlaylistDetails");
        emit failed();
        return;
    }
    list_->clear();
    QTreeWidgetItem* chosen = nullptr;
    for (const PlaylistRow& r : rows_) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(Seq, QString::number(r.seq));
        item->setTextAlignment(Seq, Qt::AlignCenter);
        item->setData(Seq, Qt::UserRole, static_cast<qlonglong>(r.seq));
        item->setText(Artist, text(r.artist));
        item->setText(Title, text(r.title));
        // A song that is gone shows no time rather than a length of nothing.
        if (r.time != 0) item->setText(Time, text(formatPicture("@t4", double(r.time))));
        item->setText(Notes, text(r.notes));
        if (r.seq == seq) chosen = item;
    }
    if (!chosen && list_->topLevelItemCount() > 0) {
        chosen = list_->topLevelItem(std::min(row, list_->topLevelItemCount() - 1));
    }
    if (chosen) list_->setCurrentItem(chosen);
    total_->setText(text(formatPicture("@T4", double(PlaylistEntries::totalTime(rows_)))));
    enableButtons();
}

void PlaylistEntryList::enableButtons() {
    const bool any = current() != 0;
    change_->setEnabled(any);
    delete_->setEnabled(any);
    chart_->setEnabled(!rows_.empty());
    const int at = list_->currentItem() ? list_->indexOfTopLevelItem(list_->currentItem()) : -1;
    const int last = list_->topLevelItemCount() - 1;
    moves_[0]->setEnabled(any && at > 0);
    moves_[1]->setEnabled(any && at > 0);
    moves_[2]->setEnabled(any && at < last);
    moves_[3]->setEnabled(any && at < last);
}

bool PlaylistEntryList::dropSong(int64_t song) {
    int64_t seq = 0;
    const PlaylistEntries::Drop result = entries_.drop(
        playlist(), song,
        [this] { return state_.warning()(Warning::AutoNumberError) == Button::Retry; }, &seq);
    switch (result) {
        case PlaylistEntries::Drop::Added:
            reload(seq);
            return true;
        case PlaylistEntries::Drop::ReadFailed:
            state_.warning()(Warning::RecordRetrievalError, "PlaylistDetails");
            emit failed();
            return false;
        case PlaylistEntries::Drop::NoSuchSong:  // not a song of the catalogue: nothing to add
        case PlaylistEntries::Drop::GaveUp:
            break;
    }
    return false;
}

void PlaylistEntryList::move(PlaylistEntries::Move how) {
    const int64_t seq = current();
    if (seq == 0) return;
    int64_t movedTo = seq;
    SwapFault fault;
    if (entries_.move(playlist(), seq, how, &movedTo, &fault) != 0) {
        state_.dialogs().message("Error!", PlaylistEntries::swapErrorText(fault), MessageIcon::None,
                                 Button::Ok, Button::Ok);
    }
    reload(movedTo);
    list_->setFocus();
}

void PlaylistEntryList::edit(Request request) {
    Catalogue& c = state_.catalogue();
    DataFile& details = c.file(CatalogueFile::PlaylistDetails);
    details.clearBuffer();
    c.playlistEntry().PlaylistID = playlist();
    if (request != Request::Insert) {
        const int64_t seq = current();
        if (seq == 0) return;
        c.playlistEntry().PlaylistSeq = Decimal<6, 0>::fromRaw(seq);
        if (details.get(PlaylistDetailRecord::KeyPlaylistID) != 0) {
            reload();
            return;
        }
    }
    Response r = Response::None;
    state_.call(request, [this, &r] { r = PlaylistEntryForm::run(state_, window()); });
    const int64_t seq = r == Response::Completed && request != Request::Delete
                            ? c.playlistEntry().PlaylistSeq.toInt()
                            : 0;
    reload(seq);
    list_->setFocus();
}

void PlaylistEntryList::chart() {
    ChartCopyWindow::run(state_, playlist(), window());
    reload();
}

}  // namespace cdz
