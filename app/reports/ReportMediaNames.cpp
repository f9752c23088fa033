#include "app/reports/ReportMediaNames.h"

#include <algorithm>

#include "app/core/AppState.h"
#include "runtime/data/ErrorGuard.h"

namespace cdz {

std::vector<std::string> reportMediaNames(AppState& state) {
    std::vector<std::string> names;
    Catalogue& catalogue = state.catalogue();
    ErrorGuard keep(catalogue.database().error());
    const MediaRecord saved = catalogue.media();
    {
        FileUse use(catalogue, {CatalogueFile::Media});
        if (!use.ok()) return names;
        DataFile& media = catalogue.file(CatalogueFile::Media);
        if (media.set(MediaRecord::KeyMedia) == 0)
            while (media.next() == 0) names.emplace_back(catalogue.media().Media.clipped());
    }
    catalogue.media() = saved;
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace cdz
