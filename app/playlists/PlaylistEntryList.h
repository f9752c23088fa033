#pragma once
// The entry list of the playlist form: the playlist's entries joined to their songs, songs
// dropped from the song browse added at the end, the four ordering buttons, the chart copy,
// Add, Change and Delete through the entry form, and the playlist's total time. Every change
// is written at once; the playlist is the one in the playlist buffer.
#include <QWidget>

#include <cstdint>
#include <vector>

#include "app/engine/state/Request.h"
#include "app/playlists/PlaylistEntries.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace cdz {

class AppState;

class PlaylistEntryList final : public QWidget {
    Q_OBJECT
public:
    // Columns of the list.
    enum Column { Seq, Artist, Title, Time, Notes, kColumns };

    PlaylistEntryList(AppState& state, QWidget* parent);

    // Reads the entries again and highlights the one numbered `seq` (0: keep the row).
    void reload(int64_t seq = 0);
    const std::vector<PlaylistRow>& rows() const { return rows_; }
    // The highlighted entry's number, 0 when none.
    int64_t current() const;
    // Adds the song after the last entry, as a drop does; false when nothing was added.
    bool dropSong(int64_t song);
    void move(PlaylistEntries::Move how);
    QTreeWidget& list() { return *list_; }

signals:
    // A read error the form cannot go on after (the user has been told).
    void failed();

private:
    int32_t playlist() const;
    void edit(Request request);
    void chart();
    void enableButtons();

    AppState& state_;
    PlaylistEntries entries_;
    std::vector<PlaylistRow> rows_;
    QTreeWidget* list_;
    std::vector<QPushButton*> moves_;  // up, top, down, bottom
    QPushButton* chart_;
    QPushButton* add_;
    QPushButton* change_;
    QPushButton* delete_;
    QLabel* total_;
    QLabel* hint_;
};

}  // namespace cdz
