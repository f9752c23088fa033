#include "app/shell/frame/MainFrame.h"

#include "app/shell/settings/PreferencesWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

#include "app/domain/data/Catalogue.h"
#include "app/domain/opening/MediaSeed.h"
#include "app/domain/settings/ServerSetting.h"
#include "app/engine/state/AppState.h"
#include "app/engine/state/ProcedureNames.h"
#include "app/engine/window/AppIcons.h"
#include "app/engine/window/WindowPlacement.h"
#include "app/shell/frame/AboutWindow.h"
#include "app/shell/frame/ClipboardCommands.h"
#include "app/shell/frame/HelpWindow.h"
#include "app/shell/frame/MdiArrange.h"
#include "app/shell/frame/PrintSetup.h"
#include "app/shell/frame/SplashWindow.h"
#include "app/shell/frame/WebPages.h"

namespace cdz {

MainFrame::MainFrame(AppState& state, QWidget* parent)
    : QMainWindow(parent), state_(state), mdi_(new QMdiArea(this)) {
    setObjectName("MainFrame");
    setWindowTitle("Orvanta 98");
    setWindowIcon(AppIcons::icon("WINPYR.ICO"));
    mdi_->setObjectName("MdiArea");
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setBackground(QColor("#6b7c8f"));
    setCentralWidget(mdi_);
    resize(1024, 700);

    FrameMenus::build(*this, [this](FrameCommand c, const QString& arg) { execute(c, arg); });
    statusBar()->setObjectName("StatusBar");
    // Which catalogue the program works on: the folder's files or a server's.
    auto* where = new QLabel(
        QString::fromStdString("Catalogue: " +
                               ServerSetting::describe(state_.dataFolder(), state_.server())),
        this);
    where->setObjectName("CatalogueLabel");
    statusBar()->addPermanentWidget(where);
    state_.starter().setMdiArea(mdi_);
    defineOwnProcedures();
    for (const AppState::Subsystem& define : state_.subsystems()) define(state_, *this);
}

MainFrame::~MainFrame() = default;

void MainFrame::defineOwnProcedures() {
    ProcedureStarter& starter = state_.starter();
    starter.define(proc::kSplash, [this](int) -> QWidget* {
        return new SplashWindow(state_, startupCommands(), this);
    });
    starter.define(proc::kAbout, [this](int) -> QWidget* { return new AboutWindow(state_, this); });
    starter.defineRoutine(proc::kPreferences, [this] {
        PreferencesWindow window(state_, this);
        window.exec();
    });
}

void MainFrame::open() {
    if (opened_) return;
    opened_ = true;
    state_.setApplicationTag(AppState::kApplicationTag);
    state_.setSettingsFileName(AppState::kSettingsFileName);
    Catalogue& catalogue = state_.catalogue();
    files_ = std::make_unique<FileUse>(
        catalogue, std::initializer_list<CatalogueFile>{CatalogueFile::Album, CatalogueFile::Media,
                                                        CatalogueFile::Cadenzio});
    // A file that would not open has ended the program already (the open routine's warnings).
    if (files_->ok() &&
        MediaSeed::seedIfEmpty(catalogue.file(CatalogueFile::Media), catalogue.media()) != 0) {
        state_.warning()(Warning::RecordInsertError);
    }

    WindowPlacement::restore(*this, state_.settingsFile(), kPlacementSection);
    show();
    state_.starter().start(proc::kOldDataConversion);

    state_.setReportStyle("Standard", "All");
    state_.readSettings();
    statusBar()->showMessage("Ready", 4000);
    QTimer::singleShot(0, this, &MainFrame::startSplash);
}

void MainFrame::startSplash() {
    if (closing_) return;
    if (state_.showSplash) {
        state_.starter().start(proc::kSplash);
    } else {
        SplashWindow::postStartupBrowses(state_.settings(), startupCommands());
    }
}

SplashWindow::Commands MainFrame::startupCommands() const {
    return {command("actBrowseSongs"), command("actBrowseAlbums"), command("actBrowsePlayLists"),
            command("actBrowseLabels")};
}

QAction* MainFrame::command(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

HelpWindow& MainFrame::helpWindow() {
    if (!help_) {
        help_ = new HelpWindow(this);
        help_->setAttribute(Qt::WA_DeleteOnClose);
        // Beside the frame's menus rather than over them.
        help_->move(frameGeometry().topLeft() + QPoint(80, 60));
    }
    return *help_;
}

void MainFrame::execute(FrameCommand command, const QString& argument) {
    // Commands still queued (a start-up browse posted by the splash) do nothing once the frame
    // is closing.
    if (closing_) return;
    const std::string procedure = argument.toStdString();
    switch (command) {
        case FrameCommand::Start:
            state_.starter().start(procedure);
            break;
        case FrameCommand::Run:
            state_.starter().run(procedure);
            break;
        case FrameCommand::PrintSetup:
            PrintSetup::open(state_.printer(), state_.settingsFile(), this);
            break;
        case FrameCommand::WebPage:
            WebPages::open(state_.dialogs(), QUrl(argument));
            break;
        case FrameCommand::ConvertDosData:
            convertDosData();
            break;
        case FrameCommand::Exit:
            close();
            break;
        case FrameCommand::Cut:
            ClipboardCommands::apply(QApplication::focusWidget(), ClipboardAction::Cut);
            break;
        case FrameCommand::Copy:
            ClipboardCommands::apply(QApplication::focusWidget(), ClipboardAction::Copy);
            break;
        case FrameCommand::Paste:
            ClipboardCommands::apply(QApplication::focusWidget(), ClipboardAction::Paste);
            break;
        case FrameCommand::Tile:
            mdi_->tileSubWindows();
            break;
        case FrameCommand::Cascade:
            mdi_->cascadeSubWindows();
            break;
        case FrameCommand::ArrangeIcons:
            MdiArrange::arrangeIcons(*mdi_);
            break;
        case FrameCommand::HelpContents:
            helpWindow().showContents();
            break;
        case FrameCommand::HelpSearch:
            helpWindow().showSearch();
            break;
        case FrameCommand::HelpHowTo:
            helpWindow().showHowTo();
            break;
    }
}

void MainFrame::convertDosData() {
    state_.starter().run(proc::kConvertDosData);
    // A message box or the started program may have covered the frame.
    update();
    mdi_->viewport()->update();
}

void MainFrame::closeEvent(QCloseEvent* event) {
    if (closed_) {
        event->accept();
        return;
    }
    // Every window the frame started ends with it; one that will not close (a form with
    // unsaved changes whose user chose Cancel) keeps the frame open.
    closing_ = true;
    if (!state_.starter().closeAll()) {
        closing_ = false;
        event->ignore();
        return;
    }
    if (help_) help_->close();
    files_.reset();
    WindowPlacement::save(*this, state_.settingsFile(), kPlacementSection);
    closed_ = true;
    event->accept();
    emit closed();
}

}  // namespace cdz
