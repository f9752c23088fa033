#pragma once
// The built cdzapp as a scripted whole-program run starts it: headless, its data in a folder,
// its dialogs answered from a file and logged to another, and the frame closing itself once
// start-up has finished. A test may also end it with a signal at a moment of its choosing. In
// the build of the runs against the server, its catalogue is the folder's one there.
#include <QProcess>
#include <QProcessEnvironment>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "tests/app/shell/startup/StoredCatalogue.h"
#include "tests/support/BuiltPaths.h"

namespace cdz::test {

class AppProcess {
public:
    using Answers = std::vector<std::string>;

    // The answer and log files are `name`.answers and `name`.log in `folder`; a log left by an
    // earlier run of the same name is appended to. Without answers the dialogs are Qt's own
    // and wait for a person (or for the program to be ended).
    AppProcess(const std::filesystem::path& folder, const std::optional<Answers>& answers,
               const std::string& name = "dialogs")
        : folder_(folder), log_(folder / (name + ".log")) {
        if (!answers) return;
        answers_ = folder / (name + ".answers");
        std::ofstream out(answers_);
        for (const auto& a : *answers) out << a << "\n";
    }
    ~AppProcess() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    AppProcess(const AppProcess&) = delete;
    AppProcess& operator=(const AppProcess&) = delete;

    // Options given after --data-dir at the next start (--server URL, ...).
    void setArguments(const QStringList& more) { arguments_ = more; }
    // Sets a variable of the program's environment for the next start.
    void setVariable(const QString& name, const QString& value) { variables_.insert(name, value); }

    // `quitAfterStart` false leaves the frame open until the program is told to end.
    bool start(bool quitAfterStart = true) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.remove("CDZ_DIALOG_ANSWERS");
        if (!answers_.empty())
            env.insert("CDZ_DIALOG_ANSWERS", QString::fromStdString(answers_.string()));
        env.insert("CDZ_DIALOG_LOG", QString::fromStdString(log_.string()));
        env.insert("CDZ_QUIT_AFTER_START", quitAfterStart ? "1" : "0");
        env.insert(variables_);
        process_.setProcessEnvironment(env);
        process_.setWorkingDirectory(QString::fromStdString(folder_.string()));
        QStringList args{"--data-dir", QString::fromStdString(folder_.string())};
        if (!arguments_.contains("--server")) args += catalogueArguments(folder_);
        process_.start(cdz::test::appPath(), args + arguments_);
        return process_.waitForStarted(30000);
    }

    // The exit code, or -1 when the program did not end normally within `ms` (it is then
    // killed) or was ended by a signal.
    int finish(int ms = 60000) {
        if (!process_.waitForFinished(ms)) {
            process_.kill();
            process_.waitForFinished();
            return -1;
        }
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }

    void kill() {
        process_.kill();  // SIGKILL
        process_.waitForFinished();
    }
    void terminate() { process_.terminate(); }  // SIGTERM

    // The dialog log's lines so far.
    std::vector<std::string> log() const {
        std::vector<std::string> lines;
        std::ifstream in(log_);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

private:
    std::filesystem::path folder_;
    std::filesystem::path answers_;
    std::filesystem::path log_;
    QProcessEnvironment variables_;
    QStringList arguments_;
    QProcess process_;
};

}  // namespace cdz::test
