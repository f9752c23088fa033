#pragma once
// The twelve data files of the program, in the order in which they are registered with the
// file manager at start-up, with the flag each is registered with.
#include <array>
#include <string_view>

#include "runtime/data/FileDecl.h"

namespace cdz {

enum class CatalogueFile : int {
    AddWizard,
    Album,
    Categories,
    Configuration,
    Fonts,
    Labels,
    Media,
    Cadenzio,
    OldCadenzio,
    PlaylistDetails,
    PlaylistMaster,
    AudioFiles,
};

inline constexpr int kCatalogueFileCount = 12;

struct CatalogueFileInfo {
    CatalogueFile file;
    std::string_view label;
    std::string_view prefix;
    int registrationFlag;
};

// Registration order: AddWizard (AW, 0), Album (ALB, 1), ... PlaylistMaster (PLD, 0), AudioFiles
// (AUD, 0).
const std::array<CatalogueFileInfo, kCatalogueFileCount>& catalogueFiles();
const CatalogueFileInfo& catalogueFileInfo(CatalogueFile file);
const FileDecl& declarationOf(CatalogueFile file);
// By label ("Cadenzio"), ignoring ASCII case; false when no file has it.
bool catalogueFileByLabel(std::string_view label, CatalogueFile* file);

}  // namespace cdz
