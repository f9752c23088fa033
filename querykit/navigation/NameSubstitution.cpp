#include "querykit/navigation/NameSubstitution.h"

#include <optional>

#include "runtime/text/Text.h"

namespace qk {
namespace {

// The expression language's name characters; every other byte (blanks, operators, bytes of
// accented letters) ends a name.
bool isNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == ':';
}

char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (upperAscii(a[i]) != upperAscii(b[i])) return false;
    }
    return true;
}

// Where the first whole occurrence of `name` outside quoted constants starts.
std::optional<size_t> findWhole(std::string_view text, std::string_view name) {
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\'') {
            // A doubled quote inside a constant toggles twice and stays inside.
            quoted = !quoted;
            continue;
        }
        if (quoted) continue;
        const bool startsWhole = i == 0 || !isNameChar(text[i - 1]);
        if (!startsWhole || !sameIgnoringCase(text.substr(i, name.size()), name)) continue;
        const size_t end = i + name.size();
        if (end == text.size() || !isNameChar(text[end])) return i;
    }
    return std::nullopt;
}

}  // namespace

std::string NameSubstitution::quoted(std::string_view value) {
    std::string out = "'";
    for (char c : value) {
        out += c;
        if (c == '\'') out += c;
    }
    return out + "'";
}

std::string NameSubstitution::apply(std::string_view text, std::string_view name,
                                    std::string_view value) {
    const std::string_view wanted = cdz::clip(name);
    std::string out(text);
    if (wanted.empty()) return out;
    const auto at = findWhole(text, wanted);
    if (at) out.replace(*at, wanted.size(), quoted(cdz::clip(value)));
    return out;
}

}  // namespace qk
