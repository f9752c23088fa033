#pragma once
// Makes the album file from the songs: a song on no album (or on a number no album has) is
// linked to the album of its title and artist, or to the compilation of its title, and when
// neither exists an album is made from the song. A song with a blank album title stays on
// none. An album that cannot be added is told in the tally and its songs stay on none.
#include "app/albums/maintenance/AlbumLinker.h"
#include "app/albums/maintenance/MaintenanceRule.h"

namespace cdz {

class CopyToAlbumRule final : public MaintenanceRule {
public:
    explicit CopyToAlbumRule(Catalogue& catalogue) : catalogue_(catalogue), linker_(catalogue) {}
    void beginBatch() override { linker_.forget(); }
    MaintenanceFault apply(bool& changed, MaintenanceTally& tally) override;

private:
    Catalogue& catalogue_;
    AlbumLinker linker_;
};

}  // namespace cdz
