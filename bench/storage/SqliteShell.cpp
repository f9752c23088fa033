#include "bench/storage/SqliteShell.h"

#include <QProcess>
#include <QStringList>

#include "bench/storage/Stopwatch.h"

namespace cdz::bench {

bool SqliteShell::available() {
    return run(":memory:", "select 1;\n").out == "1\n";
}

ShellRun SqliteShell::run(const std::filesystem::path& database, const std::string& script) {
    ShellRun r;
    QProcess shell;
    Stopwatch w;
    shell.start("sqlite3", QStringList{QString::fromStdString(database.string())});
    if (!shell.waitForStarted(10000)) return r;
    shell.write(script.data(), static_cast<qint64>(script.size()));
    shell.closeWriteChannel();
    if (!shell.waitForFinished(-1)) return r;
    r.seconds = w.seconds();
    r.ok = shell.exitStatus() == QProcess::NormalExit && shell.exitCode() == 0;
    r.out = shell.readAllStandardOutput().toStdString();
    if (!r.ok) r.out += shell.readAllStandardError().toStdString();
    return r;
}

}  // namespace cdz::bench
