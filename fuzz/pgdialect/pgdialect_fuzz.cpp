// Any text as the data layer's SQL, translated for the server: a translation or a refusal with
// its reason, never both; a translation keeps every literal, name and comment and leaves no
// SQLite placeholder outside them, each of its own numbered from 1 to the server's limit.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "runtime/data/pg/PgDialect.h"

namespace {

// Walks `sql` past its quoted runs and comments, handing each other character to `code`, which
// returns where to go on.
template <typename Code>
void walk(std::string_view sql, Code code) {
    size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        const std::string_view two = sql.substr(i, 2);
        if (c == '\'' || c == '"') {
            size_t end = i + 1;
            while (end < sql.size() && sql[end] != c) ++end;
            if (end == sql.size()) std::abort();  // a translation never leaves one open
            i = end + 1;
        } else if (two == "--") {
            i = sql.find('\n', i);
        } else if (two == "/*") {
            const size_t end = sql.find("*/", i + 2);
            if (end == std::string_view::npos) std::abort();
            i = end + 2;
        } else {
            i = code(sql, i);
        }
    }
}

size_t quotes(std::string_view sql) {
    size_t n = 0;
    for (const char c : sql) n += c == '\'' || c == '"';
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 64 * 1024) return 0;
    const std::string_view sql(reinterpret_cast<const char*>(data), size);
    const cdz::pg::PgTranslation t = cdz::pg::PgDialect::translate(sql);
    if (!t.ok()) {
        if (!t.sql.empty()) std::abort();
        return 0;
    }
    if (quotes(t.sql) != quotes(sql)) std::abort();
    walk(t.sql, [](std::string_view out, size_t i) {
        if (out[i] == '?') std::abort();
        if (out[i] != '$') return i + 1;
        size_t end = i + 1;
        long n = 0;
        while (end < out.size() && std::isdigit(static_cast<unsigned char>(out[end])) && n <= 65535)
            n = n * 10 + (out[end++] - '0');
        if (n < 1 || n > 65535) std::abort();
        return end;
    });
    return 0;
}
