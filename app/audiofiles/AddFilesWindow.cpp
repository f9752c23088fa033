#include "app/audiofiles/AddFilesWindow.h"

#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include "app/audiofiles/AddFilesCommand.h"
#include "app/engine/state/AppState.h"
#include "runtime/ini/IniFile.h"

namespace cdz {
namespace {

using F = CatalogueFile;

constexpr const char* kTitle = "Add Audio Files";
constexpr const char* kSection = "AudioFiles";
constexpr const char* kLastFolder = "LastFolder";
// Files named in the summary message; the command lists more.
constexpr size_t kListed = 20;

}  // namespace

void AddFilesWindow::run(AppState& state, QWidget* parent) {
    // The folder scanned last is offered again: a collection is scanned again as it grows.
    IniFile& settings = state.settingsFile();
    const std::string last = settings.read(kSection, kLastFolder, state.dataFolder().string());
    const std::optional<std::string> chosen = state.dialogs().chooseFolder(kTitle, last);
    if (!chosen) return;
    settings.write(kSection, kLastFolder, *chosen);
    std::unique_ptr<AddFilesWindow> w(new AddFilesWindow(state, *chosen, parent));
    // The scan's own files keep no large cache of their pages (as whole-file passes do).
    w->lean_ = std::make_unique<LeanPass>(state.catalogue().database());
    w->files_ = std::make_unique<FileUse>(
        state.catalogue(),
        std::initializer_list<F>{F::Cadenzio, F::Album, F::Categories, F::Media, F::AudioFiles});
    if (!w->files_->ok()) {
        const ErrorState& e = state.catalogue().database().error();
        state.dialogs().message("Cannot OPEN the catalogue",
                                "Error #" + std::to_string(e.code) + " - " + e.text,
                                MessageIcon::Warning, Button::Ok, Button::Ok);
        return;
    }
    w->scan_ = std::make_unique<AudioScan>(state.catalogue(), *chosen,
                                           AudioScanOptions::fromSettings(settings));
    w->setModal(true);
    w->show();
    w->running_ = true;
    // The first batch starts once the window is drawn.
    QTimer::singleShot(0, w.get(), [window = w.get()] {
        if (window->scan_->start()) {
            window->nextBatch();
        } else {
            window->finish();
        }
    });
    // The window closes itself (and goes) when the scan has ended and its summary was told.
    QEventLoop untilClosed;
    connect(w.release(), &QObject::destroyed, &untilClosed, &QEventLoop::quit);
    untilClosed.exec();
}

AddFilesWindow::AddFilesWindow(AppState& state, std::filesystem::path folder, QWidget* parent)
    : QDialog(parent), state_(state), folder_(std::move(folder)) {
    setObjectName("AddFilesWindow");
    setWindowTitle(kTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    auto* where =
        new QLabel(QString::fromStdString("Adding the audio files in " + folder_.string()), this);
    where->setTextFormat(Qt::PlainText);
    where->setWordWrap(true);
    layout->addWidget(where);
    counts_ = new QLabel(this);
    counts_->setObjectName("AddFilesCounts");
    counts_->setTextFormat(Qt::PlainText);
    counts_->setMinimumWidth(360);
    layout->addWidget(counts_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    cancel_ = new QPushButton("Cancel", this);
    cancel_->setObjectName("CancelButton");
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);
    connect(cancel_, &QPushButton::clicked, this, &AddFilesWindow::reject);
    connect(&reading_, &QFutureWatcher<void>::finished, this, &AddFilesWindow::batchRead);
    showCounts();
}

AddFilesWindow::~AddFilesWindow() {
    // The reading thread holds the batch: it ends before the batch goes.
    reading_.waitForFinished();
}

void AddFilesWindow::showCounts() {
    if (!scan_) return;
    const AudioScanSummary& s = scan_->summary();
    counts_->setText(QString("Files looked at: %1\nFiles read: %2\nSongs added: %3\n"
                             "Songs updated: %4\nAlbums made: %5\nFiles skipped: %6")
                         .arg(scan_->walked())
                         .arg(s.read)
                         .arg(s.added)
                         .arg(s.updated)
                         .arg(s.albumsMade)
                         .arg(s.skippedCount));
}

// Gathers a batch on this thread (it reads the catalogue) and reads its tags on another.
void AddFilesWindow::nextBatch() {
    batch_ = scan_->gather(kBatch);
    showCounts();
    reading_.setFuture(QtConcurrent::run([this] { AudioScan::read(batch_); }));
}

void AddFilesWindow::batchRead() {
    const bool more = scan_->write(batch_);
    batch_.clear();
    showCounts();
    if (more) {
        nextBatch();
    } else {
        finish();
    }
}

void AddFilesWindow::finish() {
    running_ = false;
    const AudioScan& scan = *scan_;
    std::string text;
    switch (scan.state()) {
        case ScanState::Completed:
            text = "The scan is complete.\n";
            break;
        case ScanState::Cancelled:
            text = "The scan was cancelled; what was added before stays.\n";
            break;
        case ScanState::Failed:
            text = scan.failureTitle() + " " + scan.failureText() + "\nThe scan stopped there.\n";
            break;
        case ScanState::Running:
            break;
    }
    text += scan.summary().text() + AddFilesCommand::details(scan.summary(), kListed);
    // The message box takes "|" for a new line.
    for (char& c : text) {
        if (c == '\n') c = '|';
    }
    while (!text.empty() && text.back() == '|') text.pop_back();
    hide();
    state_.dialogs().message(
        kTitle, text,
        scan.state() == ScanState::Failed ? MessageIcon::Warning : MessageIcon::Information,
        Button::Ok, Button::Ok);
    files_.reset();
    lean_.reset();
    close();
}

void AddFilesWindow::reject() {
    if (!running_) {
        QDialog::reject();
        return;
    }
    // The batch in hand is not written; the window closes when its reading ends.
    cancelled_ = true;
    cancel_->setEnabled(false);
    scan_->cancel();
}

}  // namespace cdz
