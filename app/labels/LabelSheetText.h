#pragma once
// Sets a label panel's text inside its box: paragraphs split at line ends, lines wrapped at
// the box's width (a word longer than the line broken where it must be), and only the lines
// whose whole height fits the box kept, so no text ever leaves its panel.
#include <QString>

#include "runtime/report/PageItems.h"

namespace cdz {

class LabelSheetText {
public:
    // Appends one run per line to `page`; false when lines had to be left out at the foot.
    static bool set(Page& page, const MilsRect& box, const QString& text, const FontSpec& font,
                    Argb colour, TextAlign align);
    // The height of one line of `font`, in mils.
    static Mils lineHeight(const FontSpec& font);
    // The lines `text` takes at `width` mils in `font`.
    static QStringList wrap(const QString& text, const FontSpec& font, Mils width);
};

}  // namespace cdz
