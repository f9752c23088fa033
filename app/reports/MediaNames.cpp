#include "app/reports/MediaNames.h"

#include "app/domain/data/Catalogue.h"
#include "runtime/data/ErrorGuard.h"

namespace cdz {

std::vector<std::string> MediaNames::read(Catalogue& catalogue) {
    std::vector<std::string> names;
    // A media file that cannot be opened leaves the error state as it was: the wizard then
    // simply lets the medium be typed.
    ErrorGuard keep(catalogue.database().error());
    const MediaRecord saved = catalogue.media();
    {
        FileUse use(catalogue, {CatalogueFile::Media});
        if (!use.ok()) return names;
        DataFile& media = catalogue.file(CatalogueFile::Media);
        if (media.set(MediaRecord::KeyMedia) == 0) {
            while (media.next() == 0) {
                const std::string name(catalogue.media().Media.clipped());
                if (!name.empty()) names.push_back(name);
            }
        }
    }
    catalogue.media() = saved;
    return names;
}

}  // namespace cdz
