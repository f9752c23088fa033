// Any text as a view's filter over songs joined to categories: what parses is translated into a
// condition for the storage engine, with or without the program's own UPPER and LOWER there.
// The condition binds one parameter for each placeholder, names only the columns it was given
// (folded copies of texts only), keeps its brackets balanced, calls no case function an engine
// does not run, and hands a server only UTF-8 texts when the filter is UTF-8.
#include <QUtf8StringView>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "runtime/data/FilterTranslator.h"
#include "runtime/expr/ExprParser.h"

namespace {

using cdz::FieldDesc;
using cdz::FieldType;

const FieldDesc kColumns[] = {
    {"Artist", "SNG:Artist", FieldType::String, 20},
    {"Title", "SNG:Title", FieldType::String, 20},
    {"Notes", "SNG:Notes", FieldType::Memo, 300},
    {"Rating", "SNG:Rating", FieldType::Byte, 3},
    {"Year", "SNG:Year", FieldType::Short, 5},
    {"CategoryID", "SNG:CategoryID", FieldType::Long, 10},
    {"Price", "SNG:Price", FieldType::Decimal, 4, {4, 2}},
    {"Category", "CAT:Category", FieldType::String, 30},
};

bool sameAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto up = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
        if (up(a[i]) != up(b[i])) return false;
    }
    return true;
}

const FieldDesc* column(std::string_view name) {
    for (const FieldDesc& f : kColumns)
        if (sameAscii(f.label, name)) return &f;
    return nullptr;
}

void check(const cdz::FilterTranslator::Result& r, bool caseFunctions, bool utf8) {
    const std::string& sql = r.filter.where;
    if (sql.empty()) {
        if (!r.filter.params.empty() || r.exact) std::abort();
        return;
    }
    size_t placeholders = 0;
    int depth = 0;
    for (size_t i = 0; i < sql.size(); ++i) {
        if (sql[i] == '?') ++placeholders;
        if (sql[i] == '(') ++depth;
        if (sql[i] == ')' && --depth < 0) std::abort();
        if (sql[i] != '{') continue;
        const size_t end = sql.find('}', i);
        if (end == std::string::npos) std::abort();
        std::string_view name = std::string_view(sql).substr(i + 1, end - i - 1);
        const bool folded = !name.empty() && name[0] == '~';
        if (folded) name.remove_prefix(1);
        const FieldDesc* f = column(name);
        if (!f || f->label != name || (folded && !f->isText())) std::abort();
        i = end;
    }
    if (depth != 0 || placeholders != r.filter.params.size()) std::abort();
    if (!caseFunctions &&
        (sql.find("cdz_upper") != std::string::npos || sql.find("cdz_lower") != std::string::npos))
        std::abort();
    if (!utf8) return;
    for (const cdz::SqlValue& v : r.filter.params) {
        const auto* text = std::get_if<std::string>(&v);
        if (text && !QUtf8StringView(*text).isValidUtf8()) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 64 * 1024) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const cdz::ExprParseResult parsed = cdz::ExprParser::parse(text);
    if (!parsed.root) return 0;
    const bool utf8 = QUtf8StringView(text).isValidUtf8();
    for (const bool caseFunctions : {true, false}) {
        check(cdz::FilterTranslator::translate(*parsed.root, column, caseFunctions), caseFunctions,
              utf8);
    }
    return 0;
}
