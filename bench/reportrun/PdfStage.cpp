#include "bench/reportrun/PdfStage.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <chrono>
#include <vector>

#include "runtime/report/PdfExport.h"

namespace cdz::bench {
namespace {

double since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The page's text as a reader of PDF files finds it: poppler's pdftotext where it is installed
// (Ghostscript's text device drops a letter doubled in a word, "Kis Satin"), else Ghostscript.
QString pageText(const std::filesystem::path& pdf, int page) {
    const QString file = QString::fromStdString(pdf.string());
    const QString n = QString::number(page);
    QProcess reader;
    if (const QString poppler = QStandardPaths::findExecutable("pdftotext"); !poppler.isEmpty())
        reader.start(poppler, {"-f", n, "-l", n, "-layout", file, "-"});
    else
        reader.start(QStandardPaths::findExecutable("gs"),
                     {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=txtwrite",
                      "-dFirstPage=" + n, "-dLastPage=" + n, "-sOutputFile=-", file});
    reader.waitForFinished(-1);
    return QString::fromUtf8(reader.readAllStandardOutput());
}

// Each run's text (its first letters, as a shortened value keeps them) after the one before,
// from the column captions on: the title and the smaller date beside it share a line whose
// order a reader of the file takes from their baselines.
std::string inOrder(const Page& page, const QString& found) {
    qsizetype at = 0;
    bool body = false;
    for (const PageItem& item : page.items) {
        const auto* run = std::get_if<TextRun>(&item);
        if (!run || run->text.trimmed().isEmpty()) continue;
        body = body || run->text == "Artist";
        if (!body) continue;
        const QString start = run->text.trimmed().left(4);
        const qsizetype where = found.indexOf(start, at);
        if (where < 0) return "no: \"" + run->text.toStdString() + "\"";
        at = where + start.size();
    }
    return "yes";
}

}  // namespace

PdfFigures writePages(const PageList& pages, const std::filesystem::path& pdf) {
    PdfFigures f;
    const auto start = std::chrono::steady_clock::now();
    f.written = PdfExport::write(pages, QString::fromStdString(pdf.string())).written;
    f.seconds = since(start);
    f.pages = pages.pageCount();
    if (!f.written || f.pages == 0) return f;
    f.bytesPerPage = double(std::filesystem::file_size(pdf)) / f.pages;
    const auto first = pages.page(0);
    f.textOrder = first ? inOrder(*first, pageText(pdf, 1)) : "no first page";
    return f;
}

PdfFigures printCommand(const std::filesystem::path& app, const std::filesystem::path& folder,
                        const std::filesystem::path& pdf) {
    PdfFigures f;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        std::freopen("/dev/null", "w", stdout);
        execl(app.c_str(), app.c_str(), "--data-dir", folder.c_str(), "--print",
              "PRINTMUS:SONGSBYARTIST", "--pdf", pdf.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    f.seconds = since(start);
    f.peakKb = usage.ru_maxrss;
    f.written = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!f.written) return f;
    // The page count from the file's page tree: "/Count N" of the one tree.
    QFile file(QString::fromStdString(pdf.string()));
    if (file.open(QIODevice::ReadOnly)) {
        file.seek(std::max<qint64>(0, file.size() - (1 << 22)));
        const QByteArray tail = file.readAll();
        const qsizetype at = tail.lastIndexOf("/Type /Pages ");
        const qsizetype count = at < 0 ? -1 : tail.indexOf("/Count ", at);
        if (count >= 0) f.pages = tail.mid(count + 7, 12).split(' ').value(0).toInt();
    }
    if (f.pages > 0) f.bytesPerPage = double(std::filesystem::file_size(pdf)) / f.pages;
    return f;
}

}  // namespace cdz::bench
