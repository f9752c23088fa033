#include "app/engine/state/ReportCriteria.h"

#include "runtime/text/Text.h"
#include "runtime/text/Unicode.h"

namespace cdz {

bool ReportCriteria::brief() const {
    return clip(style) == "Brief";
}

bool ReportCriteria::selectedOnly() const {
    return clip(selectedOrAll) == "Selected";
}

bool ReportCriteria::includes(std::string_view value) const {
    if (!selectedOnly()) return true;
    const std::string start = foldCase(clip(selection));
    return foldCase(value).starts_with(start);
}

}  // namespace cdz
