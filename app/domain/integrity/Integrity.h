#pragma once
// The delete and update procedures of the nine files that have them: every form and browse
// deletes or saves a record through these, never by a bare delete or put. Each runs in one
// transaction over the file and the files that depend on it, carries out the file's rules
// (cascade or refuse) and reports failures through the standard warnings.
#include "app/domain/data/Catalogue.h"
#include "app/domain/integrity/DeleteRules.h"
#include "app/domain/integrity/SavedLinks.h"
#include "app/domain/integrity/UpdateRules.h"
#include "app/domain/warnings/StandardWarning.h"

namespace cdz {

class Integrity {
public:
    // Results of RIDelete and RIUpdate.
    static constexpr int kDone = 0;            // deleted (or saved) and committed
    static constexpr int kNotDone = 1;         // nothing changed; a warning was shown
    static constexpr int kChangedByOther = 2;  // RIUpdate: the buffer holds the stored version

    // Flags of RIUpdate: which message reports a record changed by another station.
    static constexpr int kSongForm = 0;   // warning 15
    static constexpr int kOtherForm = 1;  // warning 38

    Integrity(Catalogue& catalogue, StandardWarning& warning);

    // Deletes the record in the file's buffer and what cascades from it.
    int RIDelete(CatalogueFile file);
    // Saves the record in the file's buffer (the current record of the file), carrying a
    // changed linking value to the songs.
    int RIUpdate(CatalogueFile file, int flag);

    // The linking values the forms record when they load a record. When none is recorded for
    // the file, RIUpdate takes the stored record's value.
    SavedLinks& savedLinks() { return links_; }

private:
    int primaryKey(CatalogueFile file);
    // Uses the files of the scope after the first, giving them back on leaving.
    class ScopeFiles;
    // After a rollback that undid our own put: reads the stored record again under a watch and
    // gives the buffer back what the user typed, so that saving again is not mistaken for a
    // change by another station.
    void afterUndonePut(CatalogueFile file, const std::string& position);
    int refuseFileWithoutProcedures(CatalogueFile file, Warning warning);

    Catalogue& catalogue_;
    StandardWarning& warning_;
    DeleteRules deleteRules_;
    UpdateRules updateRules_;
    SavedLinks links_;
};

}  // namespace cdz
