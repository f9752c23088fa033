#pragma once
// "Compile Information": the application tag, when this build was created and last changed,
// and whether it is a 32-bit or 64-bit program. Its place is kept under "CompileDate".
#include <QDialog>

namespace cdz {

class AppState;
struct BuildStamp;

class CompileInfoWindow final : public QDialog {
    Q_OBJECT
public:
    CompileInfoWindow(AppState& state, QWidget* parent);
    // The same window over a given stamp (what the build stamped in is shown otherwise).
    CompileInfoWindow(AppState& state, const BuildStamp& stamp, QWidget* parent);

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    AppState& state_;
    bool placed_ = false;
};

}  // namespace cdz
