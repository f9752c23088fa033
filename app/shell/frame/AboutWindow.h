#pragma once
// Help > "&About": the product, its version "v2.0a" and how to reach the maker. Its first
// control, the program's picture, opens the "Compile Information" window.
#include <QDialog>

class QToolButton;

namespace cdz {

class AppState;

class AboutWindow final : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(AppState& state, QWidget* parent = nullptr);

    // Opens (or brings up) the "Compile Information" window.
    QDialog* showCompileInformation();

private:
    AppState& state_;
    QToolButton* picture_;
};

}  // namespace cdz
