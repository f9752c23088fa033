#pragma once
// Saves a label the wizard made as the label form saves a new one: numbered through the label
// number key, refused with standard warning 24 when its description is another label's.
#include <cstdint>

namespace cdz {

class AppState;
struct LabelRecord;

class LabelWizardSave {
public:
    // The new label's number, or 0 when it was not saved (the user has been told why).
    static std::int32_t add(AppState& state, const LabelRecord& label);
    // A new label as the wizard and the label form start it.
    static void startNew(LabelRecord& label);
};

}  // namespace cdz
