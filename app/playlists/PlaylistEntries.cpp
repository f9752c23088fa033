#include "app/playlists/PlaylistEntries.h"

#include <algorithm>

#include "app/domain/data/Catalogue.h"
#include "app/domain/integrity/Integrity.h"
#include "runtime/data/DataFile.h"
#include "runtime/data/Transaction.h"
#include "runtime/data/View.h"
#include "runtime/text/DateTime.h"

namespace cdz {
namespace {

using Seq = Decimal<6, 0>;

}  // namespace

PlaylistEntries::PlaylistEntries(Catalogue& catalogue)
    : catalogue_(catalogue), details_(catalogue.file(CatalogueFile::PlaylistDetails)) {}

int PlaylistEntries::rows(int32_t playlist, std::vector<PlaylistRow>* out) {
    out->clear();
    View view(details_);
    DataFile& songs = catalogue_.file(CatalogueFile::Cadenzio);
    if (int code = view.addJoin(songs, {{"PLA:ID", "MUS:ID"}})) return code;
    if (int code = view.setOrder(PlaylistDetailRecord::KeyPlaylistID)) return code;
    PlaylistDetailRecord& entry = catalogue_.playlistEntry();
    details_.clearBuffer();
    entry.PlaylistID = playlist;
    if (int code = view.setPrefix(1)) return code;
    view.setPageSize(50);
    if (int code = view.setStart()) return code;
    const SongRecord& song = catalogue_.song();
    int code = 0;
    while ((code = view.next()) == 0) {
        PlaylistRow row;
        row.seq = entry.PlaylistSeq.toInt();
        row.song = entry.ID.toInt();
        row.notes = std::string(entry.PlaylistNotes.clipped());
        // A song that is gone leaves the joined buffer cleared: its number no longer matches.
        if (song.ID != 0 && song.ID == row.song) {
            row.artist = std::string(song.Artist.clipped());
            row.title = std::string(song.Title.clipped());
            row.time = song.Time;
        }
        out->push_back(std::move(row));
    }
    return code == err::kRecordNotAvailable ? 0 : code;
}

int64_t PlaylistEntries::totalTime(const std::vector<PlaylistRow>& rows) {
    int64_t total = kTimeZero;
    for (const PlaylistRow& r : rows) {
        if (r.time > kTimeZero) total += r.time - kTimeZero;
    }
    return total;
}

int PlaylistEntries::entries(int32_t playlist, std::vector<Entry>* out) {
    out->clear();
    PlaylistDetailRecord& entry = catalogue_.playlistEntry();
    details_.clearBuffer();
    entry.PlaylistID = playlist;
    if (int code = details_.setAt(PlaylistDetailRecord::KeyPlaylistID)) return code;
    int code = 0;
    while ((code = details_.next()) == 0 && entry.PlaylistID == playlist) {
        out->push_back({details_.recordNumber(), entry.PlaylistSeq.toInt()});
    }
    return code == err::kRecordNotAvailable || code == 0 ? 0 : code;
}

int PlaylistEntries::highestSeq(int32_t playlist, int64_t* seq) {
    *seq = 0;
    std::vector<Entry> all;
    if (int code = entries(playlist, &all)) return code;
    if (!all.empty()) *seq = all.back().seq;
    return 0;
}

bool PlaylistEntries::songExists(int64_t song) {
    if (song <= 0) return false;
    DataFile& songs = catalogue_.file(CatalogueFile::Cadenzio);
    songs.clearBuffer();
    catalogue_.song().ID = static_cast<int32_t>(song);
    return songs.get(SongRecord::KeyID) == 0;
}

PlaylistEntries::Drop PlaylistEntries::drop(int32_t playlist, int64_t song,
                                            const std::function<bool()>& retry, int64_t* seq) {
    *seq = 0;
    if (!songExists(song)) return Drop::NoSuchSong;
    PlaylistDetailRecord& entry = catalogue_.playlistEntry();
    for (;;) {
        int code = 0;
        for (int attempt = 0; attempt < kDropTries; ++attempt) {
            int64_t highest = 0;
            code = highestSeq(playlist, &highest);
            if (code != 0) return Drop::ReadFailed;  // a read error is not retried
            details_.clearBuffer();
            entry.PlaylistID = playlist;
            entry.PlaylistSeq = Seq::fromRaw(highest + 1);
            entry.ID = Seq::fromRaw(song);
            code = details_.add();
            if (code == 0) {
                *seq = highest + 1;
                return Drop::Added;
            }
        }
        if (!retry || !retry()) return Drop::GaveUp;
    }
}

int PlaylistEntries::putSeq(int64_t recno, int64_t seq) {
    if (int code = details_.getRecord(recno)) return code;
    catalogue_.playlistEntry().PlaylistSeq = Seq::fromRaw(seq);
    return details_.put();
}

int PlaylistEntries::move(int32_t playlist, int64_t seq, Move how, int64_t* movedTo,
                          SwapFault* fault) {
    *movedTo = seq;
    Database& db = details_.database();
    auto failed = [&](const char* section, int64_t at) {
        const int code = db.error().code != 0 ? db.error().code : err::kRecordNotFound;
        *fault = {section, db.error(), playlist, at};
        if (fault->error.code == 0) fault->error.set(code);
        return code;
    };
    std::vector<Entry> all;
    if (entries(playlist, &all) != 0) return failed("Test Range", seq);
    const auto it =
        std::find_if(all.begin(), all.end(), [seq](const Entry& e) { return e.seq == seq; });
    if (it == all.end()) return failed("Test Range", seq);
    const auto from = static_cast<size_t>(it - all.begin());
    const bool up = how == Move::Up || how == Move::Top;
    if ((up && from == 0) || (!up && from + 1 == all.size())) return 0;  // no neighbour
    size_t to = from;
    switch (how) {
        case Move::Up:
            to = from - 1;
            break;
        case Move::Top:
            to = 0;
            break;
        case Move::Down:
            to = from + 1;
            break;
        case Move::Bottom:
            to = all.size() - 1;
            break;
    }
    const int64_t temporary = all.back().seq + 1;
    // A failure below leaves the scope, which rolls the moves back.
    Transaction transaction(db, {&details_});
    if (transaction.began() != 0) return failed("Test Range", seq);
    if (details_.getRecord(all[from].recno) != 0) return failed("Get Orig", seq);
    catalogue_.playlistEntry().PlaylistSeq = Seq::fromRaw(temporary);
    if (details_.put() != 0) return failed("Put Swap Out", seq);
    // Each entry met takes the number freed before it, walking from the neighbour towards the
    // entry's new place; the moved entry takes the last number freed.
    if (up) {
        for (size_t k = from; k-- > to;) {
            if (putSeq(all[k].recno, all[k + 1].seq) != 0) return failed("Put Swap", all[k].seq);
        }
    } else {
        for (size_t k = from + 1; k <= to; ++k) {
            if (putSeq(all[k].recno, all[k - 1].seq) != 0) return failed("Put Swap", all[k].seq);
        }
    }
    if (details_.getRecord(all[from].recno) != 0) return failed("Get Orig After", temporary);
    catalogue_.playlistEntry().PlaylistSeq = Seq::fromRaw(all[to].seq);
    if (details_.put() != 0) return failed("Final Put", temporary);
    if (transaction.commit() != 0) return failed("Final Put", all[to].seq);
    *movedTo = all[to].seq;
    return 0;
}

// "|" starts a new line of a message box.
std::string PlaylistEntries::swapErrorText(const SwapFault& fault) {
    const std::string why =
        fault.error.text.empty() ? std::string(errorText(fault.error.code)) : fault.error.text;
    return "Record swap error: |" + why + "|PlaylistDetails, PLA:KeyPlaylistID" +
           "|Key Field PLA:PlaylistID = " + std::to_string(fault.playlist) +
           "|Key Field PLA:PlaylistSeq = " + std::to_string(fault.seq) +
           "|Section = " + fault.section + "|";
}

int PlaylistEntries::removeAll(int32_t playlist) {
    std::vector<Entry> all;
    if (int code = entries(playlist, &all)) return code;
    for (const Entry& e : all) {
        if (int code = details_.getRecord(e.recno)) return code;
        if (int code = details_.erase()) return code;
    }
    return 0;
}

}  // namespace cdz
