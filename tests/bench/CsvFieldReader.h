#pragma once
// Reads one line of the program's comma-separated format, written here from the format's
// rules rather than from the generator's writer: a field starting with a double quote runs to
// the next quote not followed by another (a doubled quote stands for one), and the character
// after the closing quote is the separator; any other field runs to the next comma; the
// fields end where the rest of the line is blank.
#include <string>
#include <string_view>
#include <vector>

namespace cdz::gen::test {

struct CsvField {
    std::string value;
    bool quoted = false;
};

inline std::vector<CsvField> readCsvLine(std::string_view line) {
    std::vector<CsvField> fields;
    std::size_t pos = 0;
    for (;;) {
        if (line.find_first_not_of(' ', pos) == std::string_view::npos) break;
        CsvField field;
        if (line[pos] == '"') {
            field.quoted = true;
            ++pos;
            for (;;) {
                const std::size_t quote = line.find('"', pos);
                if (quote == std::string_view::npos) {  // unclosed: runs to the end
                    field.value.append(line.substr(pos));
                    pos = line.size();
                    break;
                }
                field.value.append(line.substr(pos, quote - pos));
                if (quote + 1 < line.size() && line[quote + 1] == '"') {
                    field.value += '"';
                    pos = quote + 2;
                } else {
                    pos = quote + 2;  // skips the separator after the closing quote
                    break;
                }
            }
        } else {
            const std::size_t comma = line.find(',', pos);
            field.value.assign(line.substr(
                pos, comma == std::string_view::npos ? std::string_view::npos : comma - pos));
            pos = comma == std::string_view::npos ? line.size() : comma + 1;
        }
        fields.push_back(std::move(field));
        if (pos >= line.size()) break;
    }
    return fields;
}

inline std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace cdz::gen::test
