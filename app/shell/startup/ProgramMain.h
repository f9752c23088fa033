#pragma once
// Program main: the start-up steps from clearing leftover page spools to the repair offer, then
// the main frame until it closes.
#include <filesystem>

#include <QPointer>

namespace cdz {

class AppState;
class MainFrame;

class ProgramMain {
public:
    // Environment variable: when set (to anything but "" or "0"), the frame closes itself as
    // File > Exit would once start-up has finished. Whole-program tests end a run with it.
    static constexpr const char* kQuitAfterStart = "CDZ_QUIT_AFTER_START";

    // `repairProgram` is the repair program to run; empty finds it beside the program or on
    // the PATH.
    explicit ProgramMain(AppState& state, std::filesystem::path repairProgram = {});
    // Takes the program's dialogs and stop back from the query wizard library.
    ~ProgramMain();
    ProgramMain(const ProgramMain&) = delete;
    ProgramMain& operator=(const ProgramMain&) = delete;

    // Report page spools left by programs that died, help file, query wizard texts, file
    // registration (once), and the repair offer when the bad-file marker names a file. False
    // when the program ends here (the repair ran).
    bool startUp();
    // The data files registered with the file manager, in their order; done once.
    void registerFiles();

    // startUp(), then the main frame until it closes. The process exit code (0). SIGTERM at
    // any moment of it ends the program as File > Exit does: the dialogs open close as Escape
    // would (endTheRun), and the frame closes or, before it is up, never opens.
    int run();

private:
    void runFrame();
    void endTheRun();

    AppState& state_;
    std::filesystem::path repairProgram_;
    bool ending_ = false;
    QPointer<MainFrame> frame_;
};

}  // namespace cdz
