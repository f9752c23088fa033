#pragma once
// The window under which query navigation runs: it reads a batch of records on each tick of
// its timer, so it stays responsive and Cancel Navigation is heard between batches, and shows
// the progress once the search has gone on for a while. Without widgets (no QApplication) the
// search runs to its end with nothing shown.
#include <memory>

#include "querykit/navigation/QueryNavigator.h"
#include "querykit/querykit.h"

class QDialog;
class QLabel;
class QProgressBar;
class QTimer;

namespace qk {

class QUERYKIT_API NavigationWindow {
public:
    static constexpr const char* kObjectName = "qkNavigationWindow";
    static constexpr const char* kCancelName = "qkCancelNavigation";
    static constexpr int kRecordsPerTick = 20;

    enum class Ending { Found, EndOfView, Failed, Cancelled };

    NavigationWindow(QueryNavigator& navigator, NavDirection direction);
    ~NavigationWindow();
    NavigationWindow(const NavigationWindow&) = delete;
    NavigationWindow& operator=(const NavigationWindow&) = delete;

    // Runs the search to its end or until the user cancels it.
    Ending run();

private:
    void tick();
    void showProgress();

    QueryNavigator& navigator_;
    NavDirection direction_;
    std::unique_ptr<QDialog> window_;
    QLabel* label_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QTimer* timer_ = nullptr;
    bool progressShown_ = false;
    bool cancelled_ = false;
};

}  // namespace qk
