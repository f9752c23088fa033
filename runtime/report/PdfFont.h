#pragma once
// One font file as a PDF document uses it: which glyph shows each character, what each glyph is
// the text of (so that the words can be found and copied), and which glyphs to embed. A font is
// embedded once per document, with only the glyphs its pages use.
#include <QByteArray>
#include <QRawFont>
#include <QRectF>
#include <QString>
#include <map>
#include <utility>
#include <vector>

#include "runtime/report/TrueTypeFont.h"

namespace cdz {

class PdfFont {
public:
    PdfFont(const QRawFont& font, QByteArray resource);

    // Whether glyphs of this font can be set as text; the others are drawn as shapes.
    bool embeddable() const { return outlines_.isValid(); }
    const QByteArray& resource() const { return resource_; }
    bool used() const { return !glyphOfCode_.empty(); }
    const QRawFont& rawFont() const { return font_; }

    // The glyph of one UTF-16 unit, 0 when the font has none.
    quint32 glyph(char16_t unit);
    // A glyph's advance in thousandths of the font size.
    qreal advance(quint32 glyph) const { return glyph < advances_.size() ? advances_[glyph] : 0; }
    // A glyph's ink in thousandths of the size, y upwards from the baseline.
    QRectF ink(quint32 glyph) const;
    // Appends the glyph's code to a string being written, the glyph standing for `text` where it
    // has none yet. Codes are given in order of first use, the first 128 a byte long, so the
    // common letters of a document take one byte each. False when the font has no code left.
    bool append(QByteArray& string, quint32 glyph, QStringView text);

    // The objects that describe and embed the font, given the numbers of those they name.
    QByteArray fontDictionary(int encoding, int descendant, int toUnicode) const;
    QByteArray descendantDictionary(int descriptor, int glyphMap) const;
    QByteArray descriptorDictionary(int fontFile) const;
    QByteArray fontFile() const;
    QByteArray toUnicodeMap() const;
    // The glyph of each code, two bytes each: the code's glyph number in the embedded file.
    QByteArray glyphMap() const;
    // The codes' byte lengths and the numbering of codes (the same for every font).
    static QByteArray encodingMap();

private:
    QByteArray baseName() const;
    // The code of the glyph standing for `text`, given when first asked; -1 when none is left.
    qint32 codeFor(quint32 glyph, QStringView text);
    qint32 newCode(quint32 glyph, QStringView text);

    QRawFont font_;
    TrueTypeFont outlines_;
    QByteArray resource_;
    std::vector<quint32> glyphOf_;      // by UTF-16 unit; kUnknown until asked
    std::vector<qreal> advances_;       // by glyph, in thousandths of the size
    std::vector<qint32> codeOf_;        // by glyph, -1 until used
    std::vector<quint32> glyphOfCode_;  // by code
    std::vector<QString> textOf_;       // by code
    // The codes of a glyph standing for another text than its first code's.
    std::map<std::pair<quint32, QString>, qint32> otherCodes_;
};

}  // namespace cdz
