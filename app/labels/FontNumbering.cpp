#include "app/labels/FontNumbering.h"

#include <algorithm>

#include "app/domain/data/Catalogue.h"
#include "runtime/data/ErrorState.h"

namespace cdz {
namespace {

int32_t highestNamed(const LabelRecord& l) {
    return std::max({l.CDSpineFontID, l.CDTitleFontID, l.CDCoverTextFontID, l.CDInsideTextFontID,
                     l.CassetteFlapFontID, l.CassetteTitleFontID, l.CassetteContentsFontID});
}

int highestFont(Catalogue& c, int32_t* highest) {
    DataFile& fonts = c.file(CatalogueFile::Fonts);
    const FontRecord kept = c.font();
    int code = fonts.set(FontRecord::KeyFontID);
    if (code == err::kNone) code = fonts.previous();
    if (code == err::kNone) *highest = static_cast<int32_t>(c.font().FontID.toInt());
    c.font() = kept;
    return code == err::kRecordNotAvailable ? err::kNone : code;
}

int highestLabelFont(Catalogue& c, int32_t* highest) {
    DataFile& labels = c.file(CatalogueFile::Labels);
    const LabelRecord kept = c.label();
    const int64_t current = labels.recordNumber();
    int code = labels.set();
    while (code == err::kNone && (code = labels.next()) == err::kNone) {
        *highest = std::max(*highest, highestNamed(c.label()));
    }
    if (current != 0) {
        // The form that holds this record may put it: it stays current, and watched, so that a
        // change by another station meanwhile is still caught.
        labels.watch();
        (void)labels.getRecord(current);
    }
    c.label() = kept;
    return code == err::kRecordNotAvailable ? err::kNone : code;
}

}  // namespace

int nextFontNumber(Catalogue& catalogue, int32_t* next) {
    FileUse files(catalogue, {CatalogueFile::Fonts, CatalogueFile::Labels});
    if (!files.ok()) return files.code();
    int32_t highest = 0;
    if (const int code = highestFont(catalogue, &highest)) return code;
    if (const int code = highestLabelFont(catalogue, &highest)) return code;
    *next = highest + 1;
    return err::kNone;
}

}  // namespace cdz
