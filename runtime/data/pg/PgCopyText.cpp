#include "runtime/data/pg/PgCopyText.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>

namespace cdz::pg {
namespace {

template <class Number>
bool parse(std::string_view text, SqlValue* into) {
    Number n{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size()) return false;
    *into = n;
    return true;
}

// The server writes these as the words strtod reads, which from_chars does not all take.
bool parseReal(std::string_view text, SqlValue* into) {
    if (text == "NaN") {
        *into = std::numeric_limits<double>::quiet_NaN();
        return true;
    }
    if (text == "Infinity" || text == "-Infinity") {
        *into = text[0] == '-' ? -std::numeric_limits<double>::infinity()
                               : std::numeric_limits<double>::infinity();
        return true;
    }
    return parse<double>(text, into);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A field's text with its escapes undone (the server writes \b \f \n \r \t \v and \\; octal
// and hex escapes are read too).
std::string unescaped(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            out += field[i];
            continue;
        }
        const char c = field[++i];
        switch (c) {
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'v':
                out += '\v';
                break;
            case 'x': {
                int value = 0;
                size_t digits = 0;
                while (digits < 2 && i + 1 < field.size() && hexDigit(field[i + 1]) >= 0) {
                    value = value * 16 + hexDigit(field[++i]);
                    ++digits;
                }
                out += digits ? static_cast<char>(value) : 'x';
                break;
            }
            default:
                if (c >= '0' && c <= '7') {
                    int value = c - '0';
                    for (int d = 0; d < 2 && i + 1 < field.size() && field[i + 1] >= '0' &&
                                    field[i + 1] <= '7';
                         ++d) {
                        value = value * 8 + (field[++i] - '0');
                    }
                    out += static_cast<char>(value);
                } else {
                    out += c;
                }
        }
    }
    return out;
}

}  // namespace

bool appendNewRecordRow(std::string& rows, const SqlValues& lead, const SqlValues& columns) {
    const size_t before = rows.size();
    bool first = true;
    for (const auto& v : lead) {
        appendCopyField(rows, v, first);
        first = false;
    }
    appendCopyField(rows, int64_t{1}, first);  // a new record's revision
    for (const auto& v : columns) {
        if (!appendCopyField(rows, v, false)) {
            rows.resize(before);
            return false;
        }
    }
    rows += '\n';
    return true;
}

bool appendCopyField(std::string& line, const SqlValue& v, bool first) {
    const auto* text = std::get_if<std::string>(&v);
    if (text && text->find('\0') != std::string::npos) return false;
    if (!first) line += '\t';
    if (isNull(v)) {
        line += "\\N";
    } else if (const auto* i = std::get_if<int64_t>(&v)) {
        char buf[24];
        line.append(buf, std::to_chars(buf, buf + sizeof buf, *i).ptr);
    } else if (const auto* d = std::get_if<double>(&v)) {
        // The shortest form that reads back the same number.
        char buf[32];
        line.append(buf, std::to_chars(buf, buf + sizeof buf, *d).ptr);
    } else {
        // The plain runs between the characters to escape go in whole.
        const std::string& t = *text;
        size_t from = 0;
        for (size_t at = 0; at < t.size(); ++at) {
            const char c = t[at];
            if (c != '\\' && c != '\t' && c != '\n' && c != '\r') continue;
            line.append(t, from, at - from);
            line += '\\';
            line += c == '\t' ? 't' : c == '\n' ? 'n' : c == '\r' ? 'r' : '\\';
            from = at + 1;
        }
        line.append(t, from, t.size() - from);
    }
    return true;
}

bool readCopyLine(std::string_view line, const std::vector<CopyType>& types, SqlValues* row) {
    row->resize(types.size());
    size_t at = 0;
    for (size_t f = 0; f < types.size(); ++f) {
        if (at > line.size()) return false;
        const size_t tab = std::min(line.find('\t', at), line.size());
        const std::string_view field = line.substr(at, tab - at);
        at = tab + 1;
        SqlValue& into = (*row)[f];
        if (field == "\\N") {
            into = SqlValue{};
            continue;
        }
        switch (types[f]) {
            case CopyType::Integer:
                if (!parse<int64_t>(field, &into)) return false;
                break;
            case CopyType::Real:
                if (!parseReal(field, &into)) return false;
                break;
            case CopyType::Text:
                into = field.find('\\') == std::string_view::npos ? std::string(field)
                                                                  : unescaped(field);
        }
    }
    return at == line.size() + 1;
}

}  // namespace cdz::pg
