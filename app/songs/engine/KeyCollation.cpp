#include "app/songs/engine/KeyCollation.h"

#include "runtime/text/Text.h"
#include "runtime/text/Unicode.h"

namespace cdz {

std::string KeyCollation::form(std::string_view utf8) const {
    return noCase_ ? foldCase(clip(utf8)) : std::string(clip(utf8));
}

int KeyCollation::compare(std::string_view a, std::string_view b) const {
    // UTF-8 in byte order is code point order, the order the data files keep.
    return form(a).compare(form(b));
}

}  // namespace cdz
