#pragma once
// The four housekeeping passes over the songs and albums files: their procedure names, the
// caption of their progress window, and the file and order each walks.
#include <string_view>

#include "app/domain/data/CatalogueFile.h"

namespace cdz {

enum class MaintenancePass {
    CopyToAlbum,             // makes albums from the songs on none, and links them
    TestAlbumIDs,            // links every song to the album of its title and artist
    ConvertDateToYear,       // song release dates to their years
    ConvertAlbumDateToYear,  // album release dates to their years
};

struct MaintenancePassInfo {
    MaintenancePass pass;
    std::string_view procedure;
    std::string_view caption;
    CatalogueFile file;
    int key;  // the order walked: a key of the file, or kRecordOrder
};

const MaintenancePassInfo& maintenancePassInfo(MaintenancePass pass);
inline constexpr MaintenancePass kMaintenancePasses[] = {
    MaintenancePass::CopyToAlbum, MaintenancePass::TestAlbumIDs, MaintenancePass::ConvertDateToYear,
    MaintenancePass::ConvertAlbumDateToYear};

}  // namespace cdz
