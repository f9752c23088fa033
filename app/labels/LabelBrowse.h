#pragma once
// The label browse "Browse Labels": every CD and cassette label by description or by type,
// with Add (a blank label), Copy (a new label starting as the highlighted one), Change and
// Delete through the label form, Print for the highlighted label (left in the label buffer for
// the printout of its kind), and the label wizard.
#include <memory>
#include <vector>

#include "app/engine/browse/BrowseWindow.h"
#include "app/engine/state/ProcedureNames.h"

class QPushButton;

namespace cdz {

class LabelBrowse final : public BrowseWindow {
    Q_OBJECT
public:
    static constexpr const char* kProcedure = proc::kBrowseLabels;
    // The printouts, by the kind of the highlighted label.
    static constexpr const char* kPrintCd = proc::kPrintLabel;
    static constexpr const char* kPrintCassette = proc::kPrintCassetteLabel;

    // nullptr when the labels file would not open (the open routine has told the user).
    static LabelBrowse* open(AppState& state, QWidget* parent);

protected:
    void afterSync() override;
    void placeControls() override;
    std::vector<PopupButton> popupExtras() const override;
    void pressExtra(int index) override;

private:
    LabelBrowse(AppState& state, BrowseWindowSpec spec, BrowseDeclaration declaration,
                std::unique_ptr<FileUse> files, QWidget* parent);
    void copyLabel();
    void printLabel();
    void runWizard();

    QPushButton* wizard_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* print_ = nullptr;
};

}  // namespace cdz
