#include "app/labels/LabelPrintout.h"

#include <cmath>

#include "app/core/AppState.h"
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
    (void)state;
    return {};
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
