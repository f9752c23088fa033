#pragma once
// A TrueType font's own tables, read once: its glyphs' advances in design units and a copy of the
// font holding only the glyphs a document uses (the others left empty, so glyph numbers stay),
// which is what a PDF file embeds. Fonts whose outlines are not TrueType ones are not read.
#include <QByteArray>
#include <QRawFont>
#include <vector>

namespace cdz {

class TrueTypeFont {
public:
    explicit TrueTypeFont(const QRawFont& font);

    // False when the font has no TrueType outlines (or its tables are damaged).
    bool isValid() const { return valid_; }
    int unitsPerEm() const { return unitsPerEm_; }
    int glyphCount() const { return glyphCount_; }
    int advance(quint32 glyph) const;
    // In design units: the box every glyph fits, the hhea table's ascent and descent.
    struct Box {
        int xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    };
    Box bounds() const { return bounds_; }
    // Where a glyph's ink lies, in design units from its origin; empty (all 0) for a blank one.
    Box ink(quint32 glyph) const;
    int ascent() const { return ascent_; }
    int descent() const { return descent_; }

    // The font with only the glyphs marked in `used` (and those composite glyphs are built of).
    QByteArray subset(std::vector<bool> used) const;

private:
    QByteArray glyphData(quint32 glyph) const;
    void addComponents(std::vector<bool>& used) const;

    QRawFont font_;
    QByteArray head_, hhea_, maxp_, hmtx_, loca_, glyf_, os2_;
    std::vector<quint32> offsets_;  // glyphCount + 1 offsets into glyf
    int unitsPerEm_ = 1000;
    int glyphCount_ = 0;
    int metrics_ = 0;  // hhea's numberOfHMetrics
    int ascent_ = 0, descent_ = 0;
    Box bounds_;
    bool valid_ = false;
};

}  // namespace cdz
