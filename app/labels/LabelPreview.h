#pragma once
// The label form's Preview: the label as it stands in the form, saved or not, laid out as it
// would print and shown in the report preview, from which it can be printed.
class QWidget;

namespace cdz {

class AppState;
struct LabelRecord;

void previewLabel(AppState& state, const LabelRecord& label, QWidget* parent);

}  // namespace cdz
