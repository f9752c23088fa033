#include "runtime/data/Position.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace cdz {
namespace {

bool readNumber(std::string_view& s, int64_t* out) {
    auto semi = s.find(';');
    if (semi == std::string_view::npos) return false;
    auto [end, ec] = std::from_chars(s.data(), s.data() + semi, *out);
    if (ec != std::errc{} || end != s.data() + semi) return false;
    s.remove_prefix(semi + 1);
    return true;
}

}  // namespace

std::string Position::encode() const {
    // Each piece appended rather than "X" + ...: GCC 12 at -O3 reports a false -Wrestrict for
    // a literal joined to a temporary string.
    std::string out = "P";
    out += std::to_string(recno) + ";";
    for (const auto& v : values) {
        if (const auto* i = std::get_if<int64_t>(&v)) {
            out += 'I';
            out += std::to_string(*i) + ";";
        } else if (const auto* d = std::get_if<double>(&v)) {
            char buf[40];
            std::snprintf(buf, sizeof buf, "%a", *d);  // exact round trip
            out += std::string("D") + buf + ";";
        } else if (const auto* s = std::get_if<std::string>(&v)) {
            out += 'S';
            out += std::to_string(s->size()) + ";" + *s;
        } else {
            out += "N";
        }
    }
    return out;
}

std::optional<Position> Position::decode(std::string_view s) {
    Position p;
    if (s.empty() || s.front() != 'P') return std::nullopt;
    s.remove_prefix(1);
    if (!readNumber(s, &p.recno)) return std::nullopt;
    while (!s.empty()) {
        char tag = s.front();
        s.remove_prefix(1);
        int64_t n = 0;
        switch (tag) {
            case 'N':
                p.values.emplace_back();
                break;
            case 'I':
                if (!readNumber(s, &n)) return std::nullopt;
                p.values.emplace_back(n);
                break;
            case 'D': {
                auto semi = s.find(';');
                if (semi == std::string_view::npos) return std::nullopt;
                std::string text(s.substr(0, semi));
                char* end = nullptr;
                double d = std::strtod(text.c_str(), &end);
                if (end != text.c_str() + text.size()) return std::nullopt;
                p.values.emplace_back(d);
                s.remove_prefix(semi + 1);
                break;
            }
            case 'S':
                if (!readNumber(s, &n) || n < 0 || static_cast<size_t>(n) > s.size()) {
                    return std::nullopt;
                }
                p.values.emplace_back(std::string(s.substr(0, static_cast<size_t>(n))));
                s.remove_prefix(static_cast<size_t>(n));
                break;
            default:
                return std::nullopt;
        }
    }
    return p;
}

}  // namespace cdz
