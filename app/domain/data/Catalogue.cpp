#include "app/domain/data/Catalogue.h"

#include <optional>

#include "runtime/data/CreateIfMissing.h"
#include "runtime/data/ErrorGuard.h"

namespace cdz {

Catalogue::Catalogue(std::filesystem::path folder, OnServer server)
    : database_(std::move(folder), std::move(server)) {
    using F = CatalogueFile;
    auto make = [&](F f, auto& buffer) {
        files_[static_cast<size_t>(f)] =
            std::make_unique<DataFile>(database_, declarationOf(f), buffer);
    };
    make(F::AddWizard, addWizard_);
    make(F::Album, album_);
    make(F::Categories, category_);
    make(F::Configuration, configuration_);
    make(F::Fonts, font_);
    make(F::Labels, label_);
    make(F::Media, media_);
    make(F::Cadenzio, song_);
    make(F::OldCadenzio, oldSong_);
    make(F::PlaylistDetails, playlistEntry_);
    make(F::PlaylistMaster, playlist_);
    make(F::AudioFiles, audioFile_);
    file(F::Configuration).setOwner(std::string(ConfigurationRecord::kOwnerPassword));
}

Catalogue::~Catalogue() {
    // Close in reverse registration order, whatever the counts say.
    for (auto it = files_.rbegin(); it != files_.rend(); ++it) (*it)->close();
}

int Catalogue::openOrCreate(DataFile& file) {
    int code = file.open(access::kShared);
    if (code == err::kFileNotFound) {
        if ((code = createIfMissing(file)) != 0) return code;
        code = file.open(access::kShared);
    }
    // Already open counts as open, as the shared open routine has it.
    return code == err::kFileAlreadyOpen ? file.database().succeed() : code;
}

int Catalogue::use(CatalogueFile f) {
    int& count = counts_[static_cast<size_t>(f)];
    if (count == 0) {
        if (int code = open_(file(f))) return code;
    }
    ++count;
    return database_.succeed();
}

void Catalogue::release(CatalogueFile f) {
    int& count = counts_[static_cast<size_t>(f)];
    if (count == 0) return;
    if (--count == 0) file(f).close();
}

FileUse::FileUse(Catalogue& catalogue, std::initializer_list<CatalogueFile> files)
    : catalogue_(catalogue) {
    for (CatalogueFile f : files) {
        code_ = catalogue_.use(f);
        if (code_ != 0) {
            giveBack();
            return;
        }
        held_.push_back(f);
    }
}

FileUse::~FileUse() {
    giveBack();
}

void FileUse::giveBack() {
    // Closing must not hide why the use failed.
    std::optional<ErrorGuard> keep;
    if (code_ != 0) keep.emplace(catalogue_.database().error());
    while (!held_.empty()) {
        catalogue_.release(held_.back());
        held_.pop_back();
    }
}

}  // namespace cdz
