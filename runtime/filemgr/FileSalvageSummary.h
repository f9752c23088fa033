#pragma once
// The last line the repair program prints after a repair, for the program that ran it to read
// back: "saved N lost M kept PATH", M being "unknown" when the damaged file could not say how
// many records it held, PATH where the damaged file is kept.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/filemgr/FileSalvage.h"

namespace cdz {

struct SalvageSummary {
    int64_t saved = 0;
    int64_t lost = -1;  // -1 when not known
    std::filesystem::path keptAs;
    bool operator==(const SalvageSummary&) const = default;
};

std::string summaryLine(const SalvageReport& report);

// The last summary line in a repair program's output; nullopt when it has none.
std::optional<SalvageSummary> readSummary(std::string_view output);

}  // namespace cdz
