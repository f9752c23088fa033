#include "runtime/text/SortKey.h"

#include <QString>

#include "runtime/text/Unicode.h"

namespace cdz {

namespace {

bool isAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// Letters that decomposition leaves whole but a person files under a plain letter.
constexpr struct {
    char16_t letter;
    const char16_t* base;
} kBases[] = {{u'ø', u"o"}, {u'æ', u"ae"}, {u'œ', u"oe"}, {u'đ', u"d"},
              {u'ð', u"d"}, {u'ł', u"l"},  {u'ħ', u"h"},  {u'ı', u"i"}};

const char16_t* baseOf(char16_t c) {
    for (const auto& b : kBases)
        if (b.letter == c) return b.base;
    return nullptr;
}

// Folded text without its accents: decomposed, marks dropped, composed again (so that
// syllables built of parts, Hangul among them, stay one character each).
QString baseLetters(const QString& folded) {
    const QString decomposed = folded.normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(decomposed.size());
    for (QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing) continue;
        if (const char16_t* base = baseOf(c.unicode())) {
            out += QString::fromUtf16(base);
        } else {
            out += c;
        }
    }
    return out.normalized(QString::NormalizationForm_C);
}

// The base letters of folded text; plain ASCII is its own.
std::string baseOfFolded(const std::string& folded) {
    if (isAscii(folded)) return folded;
    return baseLetters(QString::fromStdString(folded)).toStdString();
}

}  // namespace

std::string sortKey(std::string_view utf8) {
    std::string folded = foldCase(utf8);
    if (isAscii(folded)) return folded;  // most keys: no copy to compare
    std::string base = baseOfFolded(folded);
    if (base == folded) return folded;
    return base + '\x01' + folded;
}

std::string sortPrefix(std::string_view utf8) {
    return baseOfFolded(foldCase(utf8));
}

}  // namespace cdz
