#include "app/filemgr/DosConversion.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <string>

#include "runtime/ui/Dialogs.h"

namespace cdz {

namespace {

constexpr const char* kTitle = "Convert Dos Data";

QString findIn(const QString& folder) {
    if (folder.isEmpty()) return {};
    const QDir dir(folder);
    for (const QFileInfo& entry : dir.entryInfoList(QDir::Files | QDir::Hidden)) {
        if (entry.fileName().compare(DosConversion::kProgram, Qt::CaseInsensitive) == 0)
            return entry.absoluteFilePath();
    }
    return {};
}

}  // namespace

QString DosConversion::locate(const std::filesystem::path& dataFolder) {
    QString found = findIn(QString::fromStdString(dataFolder.string()));
    if (found.isEmpty()) found = findIn(QCoreApplication::applicationDirPath());
    if (found.isEmpty()) found = QStandardPaths::findExecutable(kProgram);
    return found;
}

bool DosConversion::launch(Dialogs& dialogs, const std::filesystem::path& dataFolder) {
    const QString program = locate(dataFolder);
    const std::string folder =
        QDir::toNativeSeparators(QString::fromStdString(dataFolder.string())).toStdString();
    if (program.isEmpty()) {
        const std::string text =
            "The conversion program SONG.EXE was not found.|Copy SONG.EXE from your DOS version "
            "into the data folder (" +
            folder + ") and choose Convert Dos Data again.";
        dialogs.message(kTitle, text, MessageIcon::Warning, Button::Ok, Button::Ok);
        return false;
    }
    QProcess process;
    process.setProgram(program);
    process.setWorkingDirectory(QString::fromStdString(dataFolder.string()));
    if (!process.startDetached()) {
        const std::string text = "The conversion program " +
                                 QDir::toNativeSeparators(program).toStdString() +
                                 " could not be started:|" + process.errorString().toStdString();
        dialogs.message(kTitle, text, MessageIcon::Warning, Button::Ok, Button::Ok);
        return false;
    }
    return true;
}

}  // namespace cdz
