#pragma once
// Lays a label out as one page of drawing data at its design geometry: a CD label as the back
// insert (with its two spine strips) beside the booklet page and the front cover, a cassette
// label as a folded insert with the two side listings, the spine title and the flap. The label's
// fonts, alignments and picture are applied; the label is placed whole and unscaled in the
// middle of the page, since an insert printed smaller would not fit its case. What could not be
// printed as the label asks (a missing picture, a typeface this computer lacks, text longer
// than its panel) is told in the notices, never on the label itself.
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "runtime/report/PageItems.h"

namespace cdz {

struct LabelRecord;

// A favourite font as a panel draws it. `typeface` is the name the font record gives; when
// this computer lacks it, `substituted` is set and `font.family` is the nearest one.
struct LabelPanelFont {
    FontSpec font;
    Argb colour = kBlack;
    bool substituted = false;
    QString typeface;
};

// A favourite font by its number, as it applies to a panel designed in `designed` (what the
// record leaves unsaid stays as designed); nothing for a number not in the fonts file.
using LabelFontLookup =
    std::function<std::optional<LabelPanelFont>(std::int32_t fontId, const FontSpec& designed)>;

struct LabelSheetResult {
    Page page;
    std::vector<std::string> notices;
};

class LabelSheet {
public:
    // The design's size and the edges of its panels, in mils from the design's origin.
    static constexpr Mils kCdLeft{104}, kCdTop{31}, kCdRight{7865}, kCdBottom{9458};
    static constexpr Mils kCassetteLeft{177}, kCassetteTop{625}, kCassetteRight{3917},
        kCassetteBottom{6573};

    // `folder` is where a relative picture path is looked for (the data folder).
    LabelSheet(Mils pageWidth, Mils pageHeight, LabelFontLookup fonts, QString folder);

    static bool isCassette(const LabelRecord& label);
    LabelSheetResult lay(const LabelRecord& label) const;

private:
    struct Sheet;
    void cd(const LabelRecord& label, Sheet& sheet) const;
    void cassette(const LabelRecord& label, Sheet& sheet) const;
    void picture(const LabelRecord& label, Sheet& sheet) const;
    LabelPanelFont font(std::int32_t fontId, const FontSpec& designed, const char* panel,
                        Sheet& sheet) const;

    Mils pageWidth_, pageHeight_;
    LabelFontLookup fonts_;
    QString folder_;
};

}  // namespace cdz
