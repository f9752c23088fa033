#pragma once
// Tests the links of the songs to the albums: every song takes the number of the album of its
// title and artist, or of the compilation of its title, and 0 when there is none (or its
// album title is blank). A song numbered 0 gets a new number above every number the file
// held when the pass started.
#include <cstdint>

#include "app/albums/maintenance/AlbumLinker.h"
#include "app/albums/maintenance/MaintenanceRule.h"

namespace cdz {

class TestAlbumIdsRule final : public MaintenanceRule {
public:
    explicit TestAlbumIdsRule(Catalogue& catalogue) : catalogue_(catalogue), linker_(catalogue) {}
    MaintenanceFault prepare() override;
    void beginBatch() override { linker_.forget(); }
    bool looksAhead() override { return linker_.looksAhead(); }
    void note() override { linker_.note(catalogue_.song(), false); }
    MaintenanceFault lookUp() override {
        if (linker_.lookUp() == 0) return {};
        return {FaultKind::Read, CatalogueFile::Album};
    }
    MaintenanceFault apply(bool& changed, MaintenanceTally& tally) override;

private:
    Catalogue& catalogue_;
    AlbumLinker linker_;
    int32_t counter_ = 0;
};

}  // namespace cdz
