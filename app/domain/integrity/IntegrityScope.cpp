#include "app/domain/integrity/IntegrityScope.h"

#include <array>

namespace cdz {
namespace {

using F = CatalogueFile;

struct Scope {
    std::vector<F> onDelete;
    std::vector<F> onUpdate;
};

const std::array<Scope, kCatalogueFileCount>& scopes() {
    // Indexed by CatalogueFile; the songs file joins every scope whose rules walk songs, and
    // PlaylistDetails every delete that could remove a song held by a playlist; AudioFiles every
    // delete that could remove a song made from an audio file, whose record goes with it.
    static const std::array<Scope, kCatalogueFileCount> table = [] {
        std::array<Scope, kCatalogueFileCount> t;
        auto set = [&](F f, std::vector<F> d, std::vector<F> u) {
            t[static_cast<size_t>(f)] = Scope{std::move(d), std::move(u)};
        };
        set(F::PlaylistMaster, {F::PlaylistMaster, F::PlaylistDetails}, {F::PlaylistMaster});
        set(F::PlaylistDetails, {F::PlaylistDetails}, {F::PlaylistDetails});
        set(F::Cadenzio, {F::Cadenzio, F::PlaylistDetails, F::AudioFiles}, {F::Cadenzio});
        set(F::Media, {F::Media, F::Cadenzio}, {F::Media, F::Cadenzio});
        set(F::Labels, {F::Labels}, {F::Labels});
        set(F::Fonts, {F::Fonts}, {F::Fonts});
        set(F::Categories, {F::Categories, F::Cadenzio, F::PlaylistDetails, F::AudioFiles},
            {F::Categories, F::Cadenzio});
        set(F::Album, {F::Album, F::Cadenzio, F::PlaylistDetails, F::AudioFiles},
            {F::Album, F::Cadenzio});
        set(F::AddWizard, {F::AddWizard}, {F::AddWizard});
        return t;
    }();
    return table;
}

}  // namespace

bool hasIntegrityProcedures(CatalogueFile file) {
    return !deleteScope(file).empty();
}

const std::vector<CatalogueFile>& deleteScope(CatalogueFile file) {
    return scopes()[static_cast<size_t>(file)].onDelete;
}

const std::vector<CatalogueFile>& updateScope(CatalogueFile file) {
    return scopes()[static_cast<size_t>(file)].onUpdate;
}

}  // namespace cdz
