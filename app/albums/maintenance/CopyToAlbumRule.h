#pragma once
// Makes the album file from the songs: a song on no album (or on a number no album has) is
// linked to the album of its title and artist, or to the compilation of its title, and when
// neither exists an album is made from the song. A song with a blank album title stays on
// none. An album that cannot be added is told in the tally and its songs stay on none.
#include <utility>

#include "app/albums/maintenance/AlbumLinker.h"
#include "app/albums/maintenance/MaintenanceRule.h"

namespace cdz {

class CopyToAlbumRule final : public MaintenanceRule {
public:
    explicit CopyToAlbumRule(Catalogue& catalogue) : catalogue_(catalogue), linker_(catalogue) {}
    void beginBatch() override { linker_.forget(); }
    bool looksAhead() override { return linker_.looksAhead(); }
    void note() override { linker_.note(catalogue_.song(), true); }
    MaintenanceFault lookUp() override {
        if (linker_.lookUp() == 0) return {};
        return {FaultKind::Read, CatalogueFile::Album};
    }
    MaintenanceFault apply(bool& changed, MaintenanceTally& tally) override;
    MaintenanceFault finishBatch() override;
    bool againOneByOne() override {
        return std::exchange(refusedTogether_, false) && linker_.addOneByOne();
    }

private:
    Catalogue& catalogue_;
    AlbumLinker linker_;
    bool refusedTogether_ = false;
};

}  // namespace cdz
