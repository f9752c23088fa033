#include "app/albums/maintenance/MaintenancePass.h"

#include <array>

#include "app/domain/data/SongRecord.h"
#include "app/engine/state/ProcedureNames.h"
#include "runtime/data/DataFile.h"

namespace cdz {

const MaintenancePassInfo& maintenancePassInfo(MaintenancePass pass) {
    static const std::array<MaintenancePassInfo, 4> table{{
        {MaintenancePass::CopyToAlbum, proc::kCopyToAlbum, "Copying...", CatalogueFile::Cadenzio,
         kRecordOrder},
        {MaintenancePass::TestAlbumIDs, proc::kTestAlbumIds, "Testing Link Integrity",
         CatalogueFile::Cadenzio, SongRecord::SongsByAlbum},
        {MaintenancePass::ConvertDateToYear, proc::kConvertSongDatesToYears,
         "Converting Song Dates", CatalogueFile::Cadenzio, SongRecord::KeyID},
        {MaintenancePass::ConvertAlbumDateToYear, proc::kConvertAlbumDatesToYears,
         "Converting Album Dates", CatalogueFile::Album, kRecordOrder},
    }};
    return table[static_cast<size_t>(pass)];
}

}  // namespace cdz
