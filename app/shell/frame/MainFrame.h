#pragma once
// The program's frame window, "Orvanta 98": menu bar, toolbar, status bar and the MDI area every
// document window of the program opens in. The frame only dispatches: its commands start the
// program's procedures through the procedure starter. Closing it ends the program.
#include <QMainWindow>
#include <QPointer>

#include <memory>

#include "app/shell/frame/FrameMenus.h"
#include "app/shell/frame/SplashWindow.h"

class QMdiArea;

namespace cdz {

class AppState;
class FileUse;
class HelpWindow;

class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kPlacementSection = "Main";

    explicit MainFrame(AppState& state, QWidget* parent = nullptr);
    ~MainFrame() override;

    // The opening steps: application tag and settings file, the frame's data files opened (an
    // empty media list seeded), the window shown at its saved place, the old-data conversion
    // started, report style and settings read, then the splash window once the frame is up.
    void open();

    QMdiArea* mdiArea() const { return mdi_; }
    // A menu item or toolbar button by its objectName ("actBrowseSongs", "toolExit").
    QAction* command(const QString& objectName) const;
    // The help window (made on first use).
    HelpWindow& helpWindow();

    void execute(FrameCommand command, const QString& argument);

signals:
    // The frame has closed; the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void defineOwnProcedures();
    void startSplash();
    SplashWindow::Commands startupCommands() const;
    void convertDosData();

    AppState& state_;
    QMdiArea* mdi_;
    QPointer<HelpWindow> help_;
    std::unique_ptr<FileUse> files_;  // Album, Media and Cadenzio while the frame is open
    bool opened_ = false;
    bool closing_ = false;
    bool closed_ = false;
};

}  // namespace cdz
