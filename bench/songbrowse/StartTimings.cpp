#include "bench/songbrowse/StartTimings.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>

#include <fstream>

#include "app/domain/settings/Settings.h"
#include "app/engine/browse/BrowseWindow.h"
#include "app/engine/state/AppState.h"
#include "runtime/ini/IniFile.h"

namespace cdz::bench {
namespace {

constexpr int kWaitMs = 30000;

int64_t residentOf(qint64 pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stoll(line.substr(6));
    }
    return 0;
}

}  // namespace

bool StartTimings::prepare(const std::filesystem::path& folder, std::string& failure) {
    IniFile settings(folder / std::string(AppState::kSettingsFileName));
    if (settings.write(Settings::kSection, "SU_Songs", "1")) return true;
    failure = settings.lastFailure().text();
    return false;
}

StartRun StartTimings::run(const std::filesystem::path& program,
                           const std::filesystem::path& folder) {
    StartRun out;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert(BrowseWindow::kReportFirstPage, "1");
    // Every dialog takes its default answer instead of waiting for a person.
    env.insert("CDZ_DIALOG_ANSWERS", "/dev/null");
    p.setProcessEnvironment(env);
    const QRegularExpression line(
        "BrowseSongs: first page painted (\\d+) ms after the process started, (\\d+) ms after");
    p.setReadChannel(QProcess::StandardError);
    QElapsedTimer clock;
    clock.start();
    p.start(QString::fromStdString(program.string()),
            {"--data-dir", QString::fromStdString(folder.string()), "--no-splash"});
    QByteArray err;
    while (clock.elapsed() < kWaitMs) {
        if (!p.waitForReadyRead(kWaitMs - static_cast<int>(clock.elapsed()))) break;
        err += p.readAllStandardError();
        const auto m = line.match(QString::fromUtf8(err));
        if (m.hasMatch()) {
            out.spawnToPaintedMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            out.residentKb = residentOf(p.processId());
            out.processMs = m.captured(1).toDouble();
            out.windowMs = m.captured(2).toDouble();
            out.ok = true;
            break;
        }
    }
    if (!out.ok) out.failure = "no first page within 30 s: " + err.toStdString();
    // The program ends as File > Exit would.
    p.terminate();
    if (!p.waitForFinished(kWaitMs)) p.kill();
    p.waitForFinished();
    return out;
}

}  // namespace cdz::bench
