#pragma once
// Where and how large a CD label's picture prints: the design's place unless the label gives
// a position; its own size (by its resolution, 96 dpi when the file has none) for "Actual" or
// when no usable size is given; a given width or height alone keeps the picture's proportions.
#include <QSize>
#include <QString>
#include <optional>
#include <string_view>

#include "runtime/report/Mils.h"

namespace cdz {

struct LabelRecord;

class LabelSheetPicture {
public:
    // The picture's default place on the CD design.
    static constexpr Mils kDesignX{6792};
    static constexpr Mils kDesignY{8052};
    // The resolution of a picture file that names none.
    static constexpr double kDefaultDpi = 96.0;

    // A height text as a size in mils: a whole number above 0, or nothing.
    static std::optional<Mils> height(std::string_view text);
    // The picture's box in design coordinates, for a picture of `pixels` at `dpi`.
    static MilsRect box(const LabelRecord& label, QSize pixels, double dpi);
};

}  // namespace cdz
