#pragma once
// The add-mode question ("Select Add Mode"): whether a new song starts a compilation, a
// single-artist album or a plain song. The choice is left in the program's answer text,
// "Compilation" unless another was chosen.
#include <QDialog>

class QButtonGroup;

namespace cdz {

class AppState;

class SelectAddType : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kProcedure = "SelectAddType";

    SelectAddType(AppState& state, QWidget* parent);

    // Asks over `parent` and leaves the answer in the program state.
    static void ask(AppState& state, QWidget* parent);

protected:
    void done(int result) override;

private:
    AppState& state_;
    QButtonGroup* modes_ = nullptr;
};

}  // namespace cdz
