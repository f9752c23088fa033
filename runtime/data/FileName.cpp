#include "runtime/data/FileName.h"

#include "runtime/text/Text.h"

namespace cdz {

FileName FileName::resolve(std::string_view externalName, const std::filesystem::path& folder,
                           std::string_view label) {
    FileName out;
    std::string_view file = clip(externalName);
    out.table = std::string(label);
    if (auto bang = file.find("\\!"); bang != std::string_view::npos) {
        out.table = std::string(clip(file.substr(bang + 2)));
        file = file.substr(0, bang);
        out.sharedFile = true;
    }
    std::filesystem::path p{std::string(file)};
    if (!p.has_extension()) p += ".tps";
    out.database = p.is_absolute() ? p : folder / p;
    return out;
}

}  // namespace cdz
