#include "app/domain/data/CatalogueFile.h"

#include "app/domain/data/AddWizardRecord.h"
#include "app/domain/data/AlbumRecord.h"
#include "app/domain/data/AudioFileRecord.h"
#include "app/domain/data/CategoryRecord.h"
#include "app/domain/data/ConfigurationRecord.h"
#include "app/domain/data/FontRecord.h"
#include "app/domain/data/LabelRecord.h"
#include "app/domain/data/MediaRecord.h"
#include "app/domain/data/OldSongRecord.h"
#include "app/domain/data/PlaylistDetailRecord.h"
#include "app/domain/data/PlaylistMasterRecord.h"
#include "app/domain/data/SongRecord.h"

namespace cdz {

const std::array<CatalogueFileInfo, kCatalogueFileCount>& catalogueFiles() {
    using F = CatalogueFile;
    static constexpr std::array<CatalogueFileInfo, kCatalogueFileCount> files{{
        {F::AddWizard, "AddWizard", "AW", 0},
        {F::Album, "Album", "ALB", 1},
        {F::Categories, "Categories", "CAT", 0},
        {F::Configuration, "Configuration", "CF", 0},
        {F::Fonts, "Fonts", "FON", 0},
        {F::Labels, "Labels", "LAB", 0},
        {F::Media, "Media", "MED", 0},
        {F::Cadenzio, "Cadenzio", "MUS", 1},
        {F::OldCadenzio, "OldCadenzio", "M1", 0},
        {F::PlaylistDetails, "PlaylistDetails", "PLA", 0},
        {F::PlaylistMaster, "PlaylistMaster", "PLD", 0},
        {F::AudioFiles, "AudioFiles", "AUD", 0},
    }};
    return files;
}

const CatalogueFileInfo& catalogueFileInfo(CatalogueFile file) {
    return catalogueFiles()[static_cast<size_t>(file)];
}

const FileDecl& declarationOf(CatalogueFile file) {
    switch (file) {
        case CatalogueFile::AddWizard:
            return AddWizardRecord::declaration();
        case CatalogueFile::Album:
            return AlbumRecord::declaration();
        case CatalogueFile::Categories:
            return CategoryRecord::declaration();
        case CatalogueFile::Configuration:
            return ConfigurationRecord::declaration();
        case CatalogueFile::Fonts:
            return FontRecord::declaration();
        case CatalogueFile::Labels:
            return LabelRecord::declaration();
        case CatalogueFile::Media:
            return MediaRecord::declaration();
        case CatalogueFile::Cadenzio:
            return SongRecord::declaration();
        case CatalogueFile::OldCadenzio:
            return OldSongRecord::declaration();
        case CatalogueFile::PlaylistDetails:
            return PlaylistDetailRecord::declaration();
        case CatalogueFile::PlaylistMaster:
            return PlaylistMasterRecord::declaration();
        case CatalogueFile::AudioFiles:
            return AudioFileRecord::declaration();
    }
    return SongRecord::declaration();
}

bool catalogueFileByLabel(std::string_view label, CatalogueFile* file) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    for (const auto& info : catalogueFiles()) {
        if (info.label.size() != label.size()) continue;
        bool same = true;
        for (size_t i = 0; i < label.size() && same; ++i) {
            same = lower(info.label[i]) == lower(label[i]);
        }
        if (same) {
            *file = info.file;
            return true;
        }
    }
    return false;
}

}  // namespace cdz
