#pragma once
// How an import tells a failed data operation: the runtime's code and text, and the storage's own
// words where it gave them ("Error #5 - Access Denied (disk full)").
#include <string>

#include "runtime/data/ErrorState.h"

namespace cdz {

inline std::string importErrorWords(const ErrorState& e) {
    std::string text = "Error #" + std::to_string(e.code) + " - " + e.text;
    if (!e.driverText.empty()) text += " (" + e.driverText + ")";
    return text;
}

}  // namespace cdz
