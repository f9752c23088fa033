#pragma once
// "Add Audio Files...": asks for a folder, then scans it with this window shown, modal, until
// the scan ends: the folder, the files looked at, read, added, updated and skipped, the albums
// made, and Cancel, which Escape presses too and which keeps every batch written. Tags are read on
// another thread while the window stays live; each batch is written on the window's thread in one
// transaction. At the end the summary is told in a message, with the files skipped, and gone, by
// name.
#include <QDialog>
#include <QFutureWatcher>
#include <filesystem>
#include <memory>
#include <vector>

#include "app/audiofiles/AudioScan.h"

class QLabel;
class QPushButton;

namespace cdz {

class AppState;
class FileUse;
class LeanPass;

class AddFilesWindow final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kBatch = 100;

    // Asks for the folder and scans it with the window shown; returns when the scan ended (or
    // at once when the user cancelled the question or the files could not be opened, which the
    // user was told), so that the windows that show songs read them again after it.
    static void run(AppState& state, QWidget* parent);
    ~AddFilesWindow() override;

    const AudioScan& scan() const { return *scan_; }
    bool running() const { return running_; }

protected:
    void reject() override;  // Escape and the close box press Cancel

private:
    AddFilesWindow(AppState& state, std::filesystem::path folder, QWidget* parent);
    void nextBatch();
    void batchRead();
    void finish();
    void showCounts();

    AppState& state_;
    std::filesystem::path folder_;
    std::unique_ptr<LeanPass> lean_;
    std::unique_ptr<FileUse> files_;
    std::unique_ptr<AudioScan> scan_;
    std::vector<ScanItem> batch_;
    QFutureWatcher<void> reading_;
    QLabel* counts_ = nullptr;
    QPushButton* cancel_ = nullptr;
    bool running_ = false;
    bool cancelled_ = false;
};

}  // namespace cdz
