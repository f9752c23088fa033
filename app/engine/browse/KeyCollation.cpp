#include "app/engine/browse/KeyCollation.h"

#include "runtime/text/SortKey.h"
#include "runtime/text/Text.h"

namespace cdz {

std::string KeyCollation::form(std::string_view utf8) const {
    return noCase_ ? sortKey(clip(utf8)) : std::string(clip(utf8));
}

int KeyCollation::compare(std::string_view a, std::string_view b) const {
    // The forms in byte order: the order the data files keep.
    return form(a).compare(form(b));
}

}  // namespace cdz
