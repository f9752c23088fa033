#pragma once
// Runs the stock sqlite3 shell on a file, as a user would from a terminal, and gives back what
// it printed. The shell must be installed (the project's set-up script installs it).
#include <QProcess>
#include <QStringList>
#include <filesystem>
#include <string>

namespace cdz::test {

struct ShellResult {
    bool ran = false;
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline ShellResult runSqliteShell(const std::filesystem::path& file, const std::string& sql) {
    QProcess shell;
    shell.start("sqlite3",
                QStringList{QString::fromStdString(file.string()), QString::fromStdString(sql)});
    ShellResult r;
    if (!shell.waitForStarted(10000) || !shell.waitForFinished(60000)) return r;
    r.ran = shell.exitStatus() == QProcess::NormalExit;
    r.exitCode = shell.exitCode();
    r.out = shell.readAllStandardOutput().toStdString();
    r.err = shell.readAllStandardError().toStdString();
    return r;
}

}  // namespace cdz::test
