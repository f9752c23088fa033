#include "app/labels/LabelPrintout.h"

#include <QFont>
#include <cmath>

#include "app/engine/state/AppState.h"
#include "app/labels/LabelFontStyle.h"
#include "runtime/data/ErrorGuard.h"

namespace cdz {
namespace {

Mils milsOf(double points) {
    return Mils{static_cast<std::int32_t>(std::lround(points * Mils::perInch / 72.0))};
}

}  // namespace

int LabelPrintout::read(Catalogue& catalogue, std::int32_t id, LabelRecord* label) {
    DataFile file(catalogue.database(), LabelRecord::declaration(), *label);
    file.setName(catalogue.file(CatalogueFile::Labels).name());
    if (int code = file.open()) return code;
    file.clearBuffer();
    label->LabelID = id;
    const int code = file.get(LabelRecord::KeyLabelID);
    ErrorGuard keep(catalogue.database().error());
    file.close();
    return code;
}

LabelFontLookup LabelPrintout::fonts(AppState& state) {
    return [&state](std::int32_t id, const FontSpec& designed) -> std::optional<LabelPanelFont> {
        Catalogue& catalogue = state.catalogue();
        FontRecord record;
        DataFile file(catalogue.database(), FontRecord::declaration(), record);
        file.setName(catalogue.file(CatalogueFile::Fonts).name());
        // A fonts file that cannot be read leaves every panel in its designed font.
        ErrorGuard keep(catalogue.database().error());
        if (file.open() != 0) return std::nullopt;
        const std::optional<FontRecord> found = findFont(file, id);
        file.close();
        if (!found) return std::nullopt;
        QFont font(designed.family);
        font.setPointSizeF(designed.pointSize);
        font.setWeight(static_cast<QFont::Weight>(designed.weight));
        font.setItalic(designed.italic);
        font.setUnderline(designed.underline);
        font.setStrikeOut(designed.strikeOut);
        const LabelFontStyle style = labelFontStyle(*found, font);
        LabelPanelFont panel;
        panel.font = FontSpec{style.font.family(), style.font.pointSizeF(), style.font.weight(),
                              style.font.italic(), style.font.underline(),  style.font.strikeOut()};
        panel.colour = style.colour.isValid() ? style.colour.rgba() : kBlack;
        panel.substituted = style.substituted;
        panel.typeface = QString::fromUtf8(found->TypeFace.clipped());
        return panel;
    };
}

LabelSheetResult LabelPrintout::lay(AppState& state, const LabelRecord& label, QSizeF paper) {
    const LabelSheet sheet(milsOf(paper.width()), milsOf(paper.height()), fonts(state),
                           QString::fromStdString(state.dataFolder().string()));
    return sheet.lay(label);
}

const char* LabelPrintout::title(const LabelRecord& label) {
    return LabelSheet::isCassette(label) ? kCassetteTitle : kCdTitle;
}

std::string LabelPrintout::notices(const LabelSheetResult& result) {
    std::string text;
    for (const std::string& n : result.notices) text += (text.empty() ? "" : "|") + n;
    return text;
}

}  // namespace cdz
