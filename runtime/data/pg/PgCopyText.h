#pragma once
// Rows in the text form of the server's COPY: fields apart by tabs, a line a row, NULL as \N,
// and a backslash, tab, newline or carriage return inside a text escaped with a backslash, so
// that every value the data layer stores comes back exactly as it went.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/data/SqlValue.h"

namespace cdz::pg {

// How a field of a row read back is taken.
enum class CopyType { Integer, Real, Text };

// Appends `v` as one field (after a tab unless it is the row's first); false for a text
// holding a NUL byte, which the server cannot store (nothing is appended then).
bool appendCopyField(std::string& line, const SqlValue& v, bool first);
// Bytes of rows gathered before they go to the server: a few thousand records an exchange,
// little memory.
inline constexpr size_t kCopySendBytes = size_t{1} << 20;

// Appends a new record's row: `lead` (the record number when it is given) and the revision of
// a new record, then every stored column, then the newline. On a text holding a NUL byte
// nothing is appended and false is returned.
bool appendNewRecordRow(std::string& rows, const SqlValues& lead, const SqlValues& columns);
// Reads one line (without its newline) into `row`, each field by its type; false when the line
// has another number of fields or a number does not read.
bool readCopyLine(std::string_view line, const std::vector<CopyType>& types, SqlValues* row);

}  // namespace cdz::pg
