#pragma once
// What every printout of a label shares, whether it goes to the preview, the printer or a PDF
// file: reading the label fresh from the labels file by its number, its favourite fonts, and
// laying it out on the paper given.
#include <QSizeF>
#include <cstdint>
#include <string>

#include "app/labels/LabelSheet.h"

namespace cdz {

class AppState;
class Catalogue;

class LabelPrintout {
public:
    static constexpr const char* kCdTitle = "Orvanta 98 Compact Disc Label";
    static constexpr const char* kCassetteTitle = "Orvanta 98 Cassette Label";

    // Reads label `id` into `label` through a handle of its own, leaving the catalogue's
    // buffer alone: 0, or the runtime code of the failure (35 when there is no such label).
    static int read(Catalogue& catalogue, std::int32_t id, LabelRecord* label);
    // The favourite fonts the panels name, looked up in the fonts file.
    static LabelFontLookup fonts(AppState& state);
    // The label laid out on paper of `paper` points.
    static LabelSheetResult lay(AppState& state, const LabelRecord& label, QSizeF paper);
    // The printout's title, by the label's kind.
    static const char* title(const LabelRecord& label);
    // The notices as one message, a line each ("|" breaks a message box's lines).
    static std::string notices(const LabelSheetResult& result);
};

}  // namespace cdz
