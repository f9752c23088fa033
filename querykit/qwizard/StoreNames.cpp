#include "querykit/qwizard/StoreNames.h"

#include <filesystem>

namespace qk {

void StoreNames::setFilePaths(std::optional<uint8_t> mode, std::optional<std::string_view> folder,
                              std::optional<std::string_view> fileName) {
    if (folder) filePath_ = *folder;
    if (fileName) fileName_ = *fileName;
    const int m = mode.value_or(0);
    if (!folder && !fileName && m == 2) {
        // Forgetting must take effect: names left pointing at the forgotten folder would keep
        // the store there.
        filePath_.clear();
        fileName_.clear();
        build();
        return;
    }
    const bool remembered = folder || fileName || !filePath_.empty() || !fileName_.empty();
    if (m == 0 || !built_ || remembered) build();
}

void StoreNames::build() {
    constexpr char kSeparator = std::filesystem::path::preferred_separator;
    std::string folder(filePath_.clipped());
    if (!folder.empty() && folder.back() != kSeparator) {
        folder += kSeparator;
        filePath_ = folder;
    }
    // The names are built from the whole folder even where the exported 100 characters had no
    // room left for the separator.
    const std::string_view file = fileName_.empty() ? kDefaultFile : fileName_.clipped();
    const std::string base = folder + std::string(file) + "\\!";
    tables_[static_cast<int>(StoreTableId::Queries)] = base + "XRQW_Queries";
    tables_[static_cast<int>(StoreTableId::Elements)] = base + "XRQW_Elements";
    tables_[static_cast<int>(StoreTableId::Fields)] = base + "XRQW_Fields";
    built_ = true;
}

}  // namespace qk
