#pragma once
// The design widths of a list made wide enough for what each column shows: its header, and the
// whole of a number, date or time as its picture shows one ("0:05:15", "09/22/1997"). Text
// columns keep their design widths. Only a design is fitted; a user's own widths stay theirs.
#include <string>
#include <string_view>

class QFontMetrics;

namespace cdz {

// The format text with each column's width raised to what it needs in the list's font; a text
// that is no format comes back as it was.
std::string fitColumnWidths(std::string_view format, const QFontMetrics& metrics);

}  // namespace cdz
