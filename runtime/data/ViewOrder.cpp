#include "runtime/data/ViewOrder.h"

#include "runtime/text/Unicode.h"

namespace cdz {
namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// "UPPER(x)" / "LOWER(x)" -> x, telling whether a case wrapper was there.
std::string_view unwrapCase(std::string_view item, bool* folded) {
    *folded = false;
    for (std::string_view fn : {"UPPER(", "LOWER("}) {
        if (item.size() > fn.size() && item.back() == ')' &&
            toUpper(item.substr(0, fn.size())) == fn) {
            *folded = true;
            return trim(item.substr(fn.size(), item.size() - fn.size() - 1));
        }
    }
    return item;
}

}  // namespace

std::vector<ViewTerm> keyOrder(const ViewSql& sql, int key) {
    std::vector<ViewTerm> terms;
    if (key < 0) return terms;
    const DataFile& primary = *sql.sources().front().file;
    const auto& k = primary.decl().keys()[static_cast<size_t>(key)];
    for (size_t c = 0; c < k.components.size(); ++c) {
        bool folded = primary.sql().keyUsesFolded(k, static_cast<int>(c));
        terms.push_back({0,
                         k.components[c],
                         folded,
                         {primary.sql().keyColumn(k, static_cast<int>(c), "t0"), false}});
    }
    return terms;
}

bool parseOrder(std::string_view list, const ViewSql& sql, std::vector<ViewTerm>* terms,
                std::string* bad) {
    terms->clear();
    while (!list.empty()) {
        auto comma = list.find(',');
        std::string_view item = trim(list.substr(0, comma));
        list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
        if (item.empty()) continue;
        bool descending = false;
        if (item.front() == '-' || item.front() == '+') {
            descending = item.front() == '-';
            item = trim(item.substr(1));
        }
        bool folded = false;
        item = unwrapCase(item, &folded);
        int column = -1;
        int source = sql.findLabel(item, &column);
        if (source < 0 || sql.field(source, column).isMemo()) {
            *bad = item;
            return false;
        }
        folded = folded && sql.field(source, column).isText();
        terms->push_back({source, column, folded, {sql.value(source, column, folded), descending}});
    }
    return true;
}

}  // namespace cdz
