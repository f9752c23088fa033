#include "app/labels/LabelWizardSave.h"

#include "app/engine/state/AppState.h"

namespace cdz {

void LabelWizardSave::startNew(LabelRecord& label) {
    label = LabelRecord{};
    label.LabelType = "Cassette";
    label.ImageSize = "Thumbnail";
    label.ImageSizeX = 1000;
    label.ImageSizeY = "1000";
}

std::int32_t LabelWizardSave::add(AppState& state, const LabelRecord& label) {
    Catalogue& catalogue = state.catalogue();
    const FileUse use(catalogue, {CatalogueFile::Labels});
    if (!use.ok()) return 0;
    DataFile& file = catalogue.file(CatalogueFile::Labels);
    catalogue.label() = label;
    catalogue.label().LabelID = 0;  // numbered by the add
    const int duplicate = file.duplicateOfNew(LabelRecord::KeyLabelDescription);
    if (duplicate == err::kDuplicateKey) {
        state.warning()(Warning::DuplicateKey, "LAB:KeyLabelDescription");
        return 0;
    }
    if (duplicate != 0 || file.add() != 0) {
        state.warning()(Warning::RecordInsertError, "Labels");
        return 0;
    }
    return static_cast<std::int32_t>(catalogue.label().LabelID.toInt());
}

}  // namespace cdz
