#include "app/domain/integrity/SavedLinks.h"
#include "runtime/data/ErrorGuard.h"

namespace cdz {

bool hasLinkValue(CatalogueFile file) {
    return file == CatalogueFile::Media || file == CatalogueFile::Categories ||
           file == CatalogueFile::Album;
}

namespace {

std::optional<LinkValue> linkOf(CatalogueFile file, const MediaRecord& media,
                                const CategoryRecord& category, const AlbumRecord& album) {
    switch (file) {
        case CatalogueFile::Media:
            return LinkValue{std::string(media.Media.clipped())};
        case CatalogueFile::Categories:
            return LinkValue{category.CategoryID.toInt()};
        case CatalogueFile::Album:
            return LinkValue{int64_t{album.AlbumID}};
        default:
            return std::nullopt;
    }
}

// Reads one stored record of the file into `record` through a second handle.
template <class Rec>
int readStored(Catalogue& catalogue, CatalogueFile file, int64_t recno, Rec& record) {
    DataFile handle(catalogue.database(), declarationOf(file), record);
    if (int code = handle.open()) return code;
    int code = handle.getRecord(recno);
    ErrorGuard keep(catalogue.database().error());
    handle.close();
    return code;
}

}  // namespace

std::optional<LinkValue> linkValueOf(Catalogue& catalogue, CatalogueFile file) {
    return linkOf(file, catalogue.media(), catalogue.category(), catalogue.album());
}

int storedLinkValue(Catalogue& catalogue, CatalogueFile file, int64_t recno, LinkValue* value) {
    MediaRecord media;
    CategoryRecord category;
    AlbumRecord album;
    int code = 0;
    switch (file) {
        case CatalogueFile::Media:
            code = readStored(catalogue, file, recno, media);
            break;
        case CatalogueFile::Categories:
            code = readStored(catalogue, file, recno, category);
            break;
        case CatalogueFile::Album:
            code = readStored(catalogue, file, recno, album);
            break;
        default:
            return catalogue.database().fail(err::kInvalidKeyLength);
    }
    if (code == 0) *value = *linkOf(file, media, category, album);
    return code;
}

bool isNoLink(const LinkValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) return clip(*text).empty();
    return std::get<int64_t>(value) == 0;
}

int SavedLinks::slot(CatalogueFile file) {
    switch (file) {
        case CatalogueFile::Media:
            return 0;
        case CatalogueFile::Categories:
            return 1;
        case CatalogueFile::Album:
            return 2;
        default:
            return -1;
    }
}

void SavedLinks::record(Catalogue& catalogue, CatalogueFile file) {
    if (auto value = linkValueOf(catalogue, file)) set(file, std::move(*value));
}

void SavedLinks::set(CatalogueFile file, LinkValue value) {
    if (int s = slot(file); s >= 0) values_[static_cast<size_t>(s)] = std::move(value);
}

void SavedLinks::forget(CatalogueFile file) {
    if (int s = slot(file); s >= 0) values_[static_cast<size_t>(s)].reset();
}

std::optional<LinkValue> SavedLinks::saved(CatalogueFile file) const {
    int s = slot(file);
    return s < 0 ? std::nullopt : values_[static_cast<size_t>(s)];
}

}  // namespace cdz
