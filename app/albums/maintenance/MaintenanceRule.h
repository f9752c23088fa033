#pragma once
// What one housekeeping pass does to each record it reads: the rule changes the record in the
// file's buffer and says whether it changed, so that the pass rewrites only the records that
// differ. A rule may read (and add to) other files; a fault names the file and whether it was
// a read or a write, the cause staying in the data files' error state.
#include <cstdint>
#include <string>
#include <vector>

#include "app/domain/data/CatalogueFile.h"

namespace cdz {

enum class FaultKind { None, Read, Write };

struct MaintenanceFault {
    FaultKind kind = FaultKind::None;
    CatalogueFile file = CatalogueFile::Cadenzio;

    explicit operator bool() const { return kind != FaultKind::None; }
};

// An album a pass could not add: its songs were left on no album.
struct FailedAlbum {
    std::string artist;
    std::string album;
    std::string error;
};

// What a batch did besides rewriting records; it counts only once the batch is committed.
struct MaintenanceTally {
    int64_t albumsCreated = 0;
    std::vector<FailedAlbum> failedAlbums;
};

class MaintenanceRule {
public:
    virtual ~MaintenanceRule() = default;
    // Before the first record, with the files open.
    virtual MaintenanceFault prepare() { return {}; }
    // At the start of each batch: what was looked up in an earlier one may have changed since.
    virtual void beginBatch() {}
    // Whether the rule's reads are worth asking together for a batch (on a server, a few
    // exchanges for the batch instead of one for each record): each record of the batch is then
    // given to note(), in the buffer, before any is applied, and lookUp() reads what the rule
    // gathered.
    virtual bool looksAhead() { return false; }
    virtual void note() {}
    virtual MaintenanceFault lookUp() { return {}; }
    // After the batch's records are applied, before its commit: what the rule added together
    // is written.
    virtual MaintenanceFault finishBatch() { return {}; }
    // After a batch failed because adds sent together were refused: true when the rule now adds
    // one by one, so that the batch done again tells which add was refused.
    virtual bool againOneByOne() { return false; }
    // The record just read is in the buffer; `changed` tells whether the rule altered it.
    // What else it did goes into `tally`.
    virtual MaintenanceFault apply(bool& changed, MaintenanceTally& tally) = 0;
};

}  // namespace cdz
