#include "runtime/text/Unicode.h"

#include <QString>

#include "runtime/text/Text.h"

namespace cdz {

namespace {

// ASCII needs no table: most catalogue text is plain ASCII, and this path is hot in filters.
inline bool isAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

inline QString fromUtf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

std::string toUpper(std::string_view utf8) {
    if (isAscii(utf8)) {
        std::string out(utf8);
        for (char& c : out)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        return out;
    }
    return fromUtf8(utf8).toUpper().toStdString();
}

std::string toLower(std::string_view utf8) {
    if (isAscii(utf8)) {
        std::string out(utf8);
        for (char& c : out)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return out;
    }
    return fromUtf8(utf8).toLower().toStdString();
}

std::string foldCase(std::string_view utf8) {
    if (isAscii(utf8)) return toLower(utf8);
    // Full folding: upper-casing first applies the one-to-many mappings (ß -> SS), then the
    // simple folding brings every character to its folded form.
    return fromUtf8(utf8).toUpper().toCaseFolded().toStdString();
}

std::string simpleFoldCase(std::string_view utf8) {
    if (isAscii(utf8)) return toLower(utf8);
    return fromUtf8(utf8).toCaseFolded().toStdString();
}

bool equalsFolded(std::string_view a, std::string_view b) {
    return foldCase(clip(a)) == foldCase(clip(b));
}

}  // namespace cdz
