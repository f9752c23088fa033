#pragma once
// The splash window shown once the frame has opened: "Orvanta 98", "Version 2.0a". It closes
// on its timer or on a click; closing keeps its place under "Splash" and posts to the frame the
// browses the user asked to see at start-up, in the order Songs, Albums, Play Lists, Labels.
#include <vector>

#include <QAction>
#include <QPointer>
#include <QWidget>

namespace cdz {

class AppState;
struct Settings;

enum class StartupBrowse { Songs, Albums, PlayLists, Labels };

// The browses whose start-up flag is non-zero, in the order they are opened.
std::vector<StartupBrowse> startupBrowses(const Settings& settings);

class SplashWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMs = 3500;

    // The frame's menu commands the start-up browses are posted to (any may be gone by then).
    struct Commands {
        QPointer<QAction> songs, albums, playLists, labels;
    };

    SplashWindow(AppState& state, Commands commands, QWidget* parent = nullptr);

    // Posts to the frame, as if the user chose them, the commands of the start-up browses that
    // `settings` asks for; the splash does it when it closes, the frame at once without one.
    static void postStartupBrowses(const Settings& settings, const Commands& commands);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    static const QPointer<QAction>& commandFor(const Commands& commands, StartupBrowse browse);

    AppState& state_;
    Commands commands_;
    bool placed_ = false;
    bool closed_ = false;
};

}  // namespace cdz
