#pragma once
// A PDF's text layer as Ghostscript reads it, of every page or of page `page` alone; empty
// without Ghostscript. Words come apart with spaces.
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace cdz::test {

inline QString pdfText(const QString& pdf, int page = 0) {
    QStringList args{"-q",        "-dSAFER",           "-dBATCH",
                     "-dNOPAUSE", "-sDEVICE=txtwrite", "-sOutputFile=-"};
    if (page > 0) args << QString("-dFirstPage=%1").arg(page) << QString("-dLastPage=%1").arg(page);
    QProcess gs;
    gs.start(QStandardPaths::findExecutable("gs"), args << pdf);
    gs.waitForFinished(-1);
    return QString::fromUtf8(gs.readAllStandardOutput()).replace(QChar('\t'), QChar(' '));
}

}  // namespace cdz::test
