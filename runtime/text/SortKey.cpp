#include "runtime/text/SortKey.h"

#include <QString>

#include "runtime/text/Unicode.h"

namespace cdz {

namespace {

bool isAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

// Letters that decomposition leaves whole but a person files under a plain letter.
const char16_t* baseOf(char16_t c) {
    switch (c) {
        case u'ø':
            return u"o";
        case u'æ':
            return u"ae";
        case u'œ':
            return u"oe";
        case u'đ':
            return u"d";
        case u'ð':
            return u"d";
        case u'ł':
            return u"l";
        case u'ħ':
            return u"h";
        case u'ı':
            return u"i";
        default:
            return nullptr;
    }
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

}  // namespace

std::string sortKey(std::string_view utf8) {
    std::string folded = foldCase(utf8);
    if (isAscii(folded)) return folded;
    std::string base = baseLetters(QString::fromStdString(folded)).toStdString();
    if (base == folded) return folded;
    return base + '\x01' + folded;
}

std::string sortPrefix(std::string_view utf8) {
    std::string folded = foldCase(utf8);
    if (isAscii(folded)) return folded;
    return baseLetters(QString::fromStdString(folded)).toStdString();
}

}  // namespace cdz
