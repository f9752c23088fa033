#include "app/shell/startup/ProgramMain.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <cstdlib>
#include <string_view>

#include "app/domain/repair/FixAction.h"
#include "app/domain/repair/RepairProgram.h"
#include "app/engine/state/AppState.h"
#include "app/shell/frame/MainFrame.h"
#include "app/shell/startup/QueryWizardTexts.h"
#include "app/shell/startup/StartupRepair.h"
#include "app/shell/startup/TerminationWatcher.h"
#include "querykit/querykit.h"
#include "runtime/report/PageList.h"

namespace cdz {

ProgramMain::ProgramMain(AppState& state, std::filesystem::path repairProgram)
    : state_(state), repairProgram_(std::move(repairProgram)) {}

ProgramMain::~ProgramMain() {
    XR_SETQWHALTHANDLER({});
}

void ProgramMain::registerFiles() {
    FileRegistry& registry = state_.fileRegistry();
    if (!registry.files().empty()) return;
    registry.addDriver(FileRegistry::kKeyedDriver);
    registry.ignoreDriver("AllFiles", 1);
    for (const CatalogueFileInfo& f : catalogueFiles()) {
        registry.usingFile(f.prefix, f.label, state_.catalogue().file(f.file), f.registrationFlag);
    }
}

bool ProgramMain::startUp() {
    // Pages a report was spooling when its program died would otherwise fill the temporary
    // folder run after run.
    PageList::removeLeftovers(QDir::tempPath());
    state_.setHelpFile(AppState::kHelpFileName);
    setQueryWizardTexts();
    // The library's fatal store errors end the program through the one runtime stop.
    XR_SETQWHALTHANDLER([this](std::string_view text) { state_.runtimeStop().afterShown(text); });
    registerFiles();
    BadFileMarker& marker = state_.badFileMarker();
    marker.setSection(state_.fileRegistry().applicationName());
    const std::string marked = marker.readLeftBehind();
    if (marked.empty()) return true;
    RepairProgram program(repairProgram_);
    FixAction fix(state_.dialogs(), state_.fileRegistry(), program);
    StartupRepair repair(state_.dialogs(), state_.fileRegistry(), marker, fix);
    return repair(marked) == StartupRepair::Outcome::Continue;
}

int ProgramMain::run() {
    // From the first step: the repair offer may already wait for an answer.
    TerminationWatcher termination;
    QObject::connect(&termination, &TerminationWatcher::terminationRequested, &termination,
                     [this] { endTheRun(); });
    if (startUp() && !ending_) runFrame();
    return 0;
}

void ProgramMain::endTheRun() {
    if (ending_) return;
    ending_ = true;
    state_.dialogs().endAll();
    // Once the dialogs' own event loops have returned.
    if (frame_) {
        QTimer::singleShot(0, frame_, [frame = frame_] {
            // A window that refuses to close does not keep an ending program alive.
            if (frame && !frame->close()) QCoreApplication::quit();
        });
    }
}

void ProgramMain::runFrame() {
    MainFrame frame(state_);
    frame_ = &frame;
    QObject::connect(&frame, &MainFrame::closed, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    frame.open();
    const char* quit = std::getenv(kQuitAfterStart);
    if (quit && std::string_view(quit) != "" && std::string_view(quit) != "0") {
        QTimer::singleShot(0, &frame, &QWidget::close);
    }
    QApplication::exec();
}

}  // namespace cdz
