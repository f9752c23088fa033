#include "app/reports/PlaylistRenumber.h"

#include "app/domain/data/Catalogue.h"
#include "runtime/data/ErrorGuard.h"
#include "runtime/data/Transaction.h"
#include "runtime/data/View.h"

namespace cdz {

int PlaylistRenumber::run(Catalogue& catalogue, int32_t playlistId, int64_t* changed) {
    if (changed) *changed = 0;
    Database& db = catalogue.database();
    // A handle of its own: the browses' entry buffer stays as it is.
    PlaylistDetailRecord entry;
    DataFile file(db, PlaylistDetailRecord::declaration(), entry);
    file.setName(catalogue.file(CatalogueFile::PlaylistDetails).name());
    if (int code = file.open()) return code;
    struct Closer {
        DataFile& file;
        ~Closer() {
            ErrorGuard keep(file.database().error());
            file.close();
        }
    } closer{file};
    Transaction transaction(db, {&file}, db.lockWait());
    if (int code = transaction.began()) return code;
    // Leaving the scope rolls the renumbering back; its cause stays the answer.
    auto undo = [&db] { return db.error().code != 0 ? db.error().code : err::kTransactionFailed; };
    View entries(file);
    entry.PlaylistID = playlistId;
    if (entries.setOrder(PlaylistDetailRecord::KeyPlaylistID) || entries.setPrefix(1) ||
        entries.setStart()) {
        return undo();
    }
    // In key order each new number is at most the old one and every number below it is
    // taken by an entry already renumbered, so no put meets a number still in use.
    int64_t count = 0;
    int64_t moved = 0;
    for (;;) {
        const int read = entries.next();
        if (read == err::kRecordNotAvailable) break;
        if (read != 0) return undo();
        ++count;
        if (entry.PlaylistSeq.toInt() == count) continue;
        entry.PlaylistSeq = Decimal<6, 0>::fromRaw(count);
        if (file.put() != 0) return undo();
        ++moved;
    }
    if (int code = transaction.commit()) return code;
    if (changed) *changed = moved;
    return 0;
}

}  // namespace cdz
