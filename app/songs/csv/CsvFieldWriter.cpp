#include "app/songs/csv/CsvFieldWriter.h"

#include "runtime/text/Text.h"

namespace cdz {

void CsvFieldWriter::quoted(std::string_view value) {
    line_ += '"';
    for (size_t from = 0;;) {
        const size_t q = value.find('"', from);
        if (q == std::string_view::npos) {
            line_.append(value.substr(from));
            break;
        }
        line_.append(value.substr(from, q + 1 - from));
        line_ += '"';
        from = q + 1;
    }
    line_ += '"';
}

void CsvFieldWriter::text(std::string_view value) {
    separate();
    quoted(clip(value));
}

void CsvFieldWriter::number(std::string_view plain) {
    separate();
    line_.append(plain);
}

void CsvFieldWriter::formatted(std::string_view value) {
    separate();
    quoted(value);
}

void CsvFieldWriter::headerName(std::string_view name) {
    separate();
    if (name.find('[') == std::string_view::npos) {
        quoted(name);
        return;
    }
    std::string plain(name);
    for (char& c : plain) {
        if (c == ',' || c == '[') c = '_';
        if (c == ']') c = ' ';
    }
    quoted(plain);
}

}  // namespace cdz
