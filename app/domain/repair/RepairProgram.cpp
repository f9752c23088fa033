#include "app/domain/repair/RepairProgram.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace cdz {

RepairProgram::RepairProgram(std::filesystem::path path) : path_(std::move(path)) {}

std::filesystem::path RepairProgram::locate() {
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(kName);
    if (QFileInfo(beside).isExecutable()) return beside.toStdString();
    return QStandardPaths::findExecutable(kName).toStdString();
}

RepairProgram::Result RepairProgram::run(const std::vector<std::string>& arguments,
                                         const std::filesystem::path& folder) {
    Result result;
    const std::filesystem::path program = path_.empty() ? locate() : path_;
    if (program.empty()) return result;
    QStringList args;
    for (const auto& a : arguments) args << QString::fromStdString(a);
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(QString::fromStdString(folder.string()));
    process.start(QString::fromStdString(program.string()), args);
    if (!process.waitForStarted(-1)) return result;
    result.started = true;
    // The repair takes as long as it takes; the user was told the program waits for it.
    process.waitForFinished(-1);
    result.output = process.readAll().toStdString();
    if (process.exitStatus() == QProcess::NormalExit) result.exitCode = process.exitCode();
    return result;
}

}  // namespace cdz
