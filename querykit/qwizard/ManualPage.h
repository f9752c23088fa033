#pragma once
// The wizard's fifth page: the query typed by hand, with the fields listed beside it; a click
// on a field types its source name where the cursor is.
#include "querykit/qwizard/WizardWidgets.h"

class QPlainTextEdit;

namespace qk {

class ManualPage final : public WizardPageView {
public:
    ManualPage(WizardFlow& flow, const DisplayTexts& texts, QWidget* parent);

    // Shows the flow's manual text (as the page comes up, so typing is not overwritten).
    void refresh();
    void take() override;
    QWidget* focusTarget() const override;

private:
    void onField();

    QPlainTextEdit* text_ = nullptr;
    QListWidget* fields_ = nullptr;
};

}  // namespace qk
