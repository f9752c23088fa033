#include "runtime/report/PdfFont.h"

#include <QCryptographicHash>

namespace cdz {
namespace {

constexpr quint32 kUnknown = 0xffffffffu;
// Codes 00-7F are one byte, 8000-FFFF two: 128 + 32768 glyphs a font.
constexpr qint32 kShortCodes = 128;
constexpr std::size_t kCodes = 128 + 32768;

QByteArray codeHex(std::size_t code) {
    if (code < std::size_t(kShortCodes))
        return QByteArray::number(qulonglong(code), 16).rightJustified(2, '0').toUpper();
    return QByteArray::number(qulonglong(0x8000 + code - kShortCodes), 16).toUpper();
}

constexpr const char* kCodeSpace =
    "2 begincodespacerange\n<00> <7F>\n<8000> <FFFF>\nendcodespacerange\n";

QByteArray number(qreal v) {
    return QByteArray::number(qRound(v));
}

QByteArray hex16(QStringView text) {
    QByteArray out;
    for (const QChar c : text) out += QByteArray::number(c.unicode(), 16).rightJustified(4, '0');
    return out.toUpper();
}

}  // namespace

PdfFont::PdfFont(const QRawFont& font, QByteArray resource)
    : font_(font), outlines_(font), resource_(std::move(resource)), glyphOf_(0x10000, kUnknown) {
    codeOf_.resize(static_cast<std::size_t>(outlines_.glyphCount()), -1);
    advances_.resize(codeOf_.size());
    for (std::size_t g = 0; g < advances_.size(); ++g)
        advances_[g] = outlines_.advance(quint32(g)) * 1000.0 / outlines_.unitsPerEm();
}

quint32 PdfFont::glyph(char16_t unit) {
    quint32& known = glyphOf_[unit];
    if (known == kUnknown) {
        const QChar c(unit);
        int count = 1;
        quint32 found = 0;
        if (!font_.glyphIndexesForChars(&c, 1, &found, &count) || count != 1) found = 0;
        known = found < codeOf_.size() ? found : 0;
    }
    return known;
}

QRectF PdfFont::ink(quint32 glyph) const {
    const TrueTypeFont::Box b = outlines_.ink(glyph);
    const qreal unit = 1000.0 / outlines_.unitsPerEm();
    return QRectF(QPointF(b.xMin * unit, b.yMin * unit), QPointF(b.xMax * unit, b.yMax * unit));
}

bool PdfFont::append(QByteArray& string, quint32 glyph, QStringView text) {
    if (glyph >= codeOf_.size()) return false;
    const qint32 code = codeFor(glyph, text);
    if (code < 0) return false;
    const auto put = [&string](char byte) {
        if (byte == '(' || byte == ')' || byte == '\\') string += '\\';
        if (byte == '\r') {
            string += "\\r";
            return;
        }
        string += byte;
    };
    if (code < kShortCodes) {
        put(char(code));
    } else {
        const int wide = 0x8000 + code - kShortCodes;
        put(char(wide >> 8));
        put(char(wide & 0xff));
    }
    return true;
}

qint32 PdfFont::newCode(quint32 glyph, QStringView text) {
    if (glyphOfCode_.size() >= kCodes) return -1;
    glyphOfCode_.push_back(glyph);
    textOf_.emplace_back(text.toString());
    return static_cast<qint32>(glyphOfCode_.size() - 1);
}

// One glyph may stand for several texts: the empty box of every character no font holds, or a
// letter two code points share. Each text gets a code of its own, so that it is found as itself.
qint32 PdfFont::codeFor(quint32 glyph, QStringView text) {
    qint32& code = codeOf_[glyph];
    if (code < 0) return code = newCode(glyph, text);
    QString& known = textOf_[std::size_t(code)];
    if (known.isEmpty() || text.isEmpty() || known == text) {
        if (known.isEmpty()) known = text.toString();
        return code;
    }
    const auto key = std::make_pair(glyph, text.toString());
    if (const auto other = otherCodes_.find(key); other != otherCodes_.end()) return other->second;
    const qint32 added = newCode(glyph, text);
    if (added >= 0) otherCodes_.emplace(key, added);
    return added;
}

QByteArray PdfFont::baseName() const {
    QByteArray name;
    for (const QChar c : font_.familyName() + QLatin1Char('-') + font_.styleName())
        if (c.isLetterOrNumber() && c.unicode() < 128) name += char(c.unicode());
    // The six capitals before the name say the font is a subset, as readers expect.
    QCryptographicHash hash(QCryptographicHash::Md5);
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(glyphOfCode_.data()),
                                qsizetype(glyphOfCode_.size() * sizeof(quint32))));
    const QByteArray digest = hash.result();
    QByteArray tag;
    for (int n = 0; n < 6; ++n) tag += char('A' + static_cast<unsigned char>(digest[n]) % 26);
    return tag + '+' + (name.isEmpty() ? QByteArray("Font") : name);
}

QByteArray PdfFont::fontDictionary(int encoding, int descendant, int toUnicode) const {
    return "<< /Type /Font /Subtype /Type0 /BaseFont /" + baseName() + " /Encoding " +
           QByteArray::number(encoding) + " 0 R /DescendantFonts [" +
           QByteArray::number(descendant) + " 0 R] /ToUnicode " + QByteArray::number(toUnicode) +
           " 0 R >>";
}

QByteArray PdfFont::descendantDictionary(int descriptor, int glyphMap) const {
    QByteArray widths;
    for (const quint32 glyph : glyphOfCode_) widths += number(advance(glyph)) + ' ';
    return "<< /Type /Font /Subtype /CIDFontType2 /BaseFont /" + baseName() +
           " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >>"
           " /FontDescriptor " +
           QByteArray::number(descriptor) + " 0 R /CIDToGIDMap " + QByteArray::number(glyphMap) +
           " 0 R /W [0 [" + widths + "]] >>";
}

QByteArray PdfFont::fontFile() const {
    std::vector<bool> used(codeOf_.size(), false);
    for (const quint32 glyph : glyphOfCode_) used[glyph] = true;
    return outlines_.subset(std::move(used));
}

QByteArray PdfFont::glyphMap() const {
    QByteArray map;
    for (const quint32 glyph : glyphOfCode_)
        map.append(char(glyph >> 8)).append(char(glyph & 0xff));
    return map;
}

QByteArray PdfFont::encodingMap() {
    return QByteArray(
               "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
               "/CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >> def\n"
               "/CMapName /Cadenzio-Compact def\n/CMapType 1 def\n") +
           kCodeSpace +
           "2 begincidrange\n<00> <7F> 0\n<8000> <FFFF> 128\nendcidrange\n"
           "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
}

QByteArray PdfFont::descriptorDictionary(int fontFile) const {
    const qreal unit = 1000.0 / outlines_.unitsPerEm();
    const TrueTypeFont::Box b = outlines_.bounds();
    const QByteArray italic = font_.style() == QFont::StyleNormal ? "0" : "-12";
    return "<< /Type /FontDescriptor /FontName /" + baseName() + " /Flags 4 /FontBBox [" +
           number(b.xMin * unit) + ' ' + number(b.yMin * unit) + ' ' + number(b.xMax * unit) + ' ' +
           number(b.yMax * unit) + "] /ItalicAngle " + italic + " /Ascent " +
           number(outlines_.ascent() * unit) + " /Descent " + number(outlines_.descent() * unit) +
           " /CapHeight " + number(outlines_.ascent() * unit) + " /StemV 80 /FontFile2 " +
           QByteArray::number(fontFile) + " 0 R >>";
}

QByteArray PdfFont::toUnicodeMap() const {
    QByteArray entries;
    int inBlock = 0;
    QByteArray blocks;
    const auto flush = [&] {
        if (inBlock == 0) return;
        blocks += QByteArray::number(inBlock) + " beginbfchar\n" + entries + "endbfchar\n";
        entries.clear();
        inBlock = 0;
    };
    for (std::size_t code = 0; code < textOf_.size(); ++code) {
        if (textOf_[code].isEmpty()) continue;
        entries += '<' + codeHex(code) + "> <" + hex16(textOf_[code]) + ">\n";
        if (++inBlock == 100) flush();
    }
    flush();
    return "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
           "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
           "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n" +
           QByteArray(kCodeSpace) + blocks +
           "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
}

}  // namespace cdz
