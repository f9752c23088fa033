#include "app/domain/settings/PrinterSettings.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>

#include <optional>
#include <string>

#include "runtime/ini/IniFile.h"

namespace cdz {

namespace {

constexpr std::string_view kOutput = "Output";
constexpr std::string_view kPrinter = "Printer";
constexpr std::string_view kPdfFile = "PdfFile";
constexpr std::string_view kPaper = "Paper";
constexpr std::string_view kOrientation = "Orientation";
constexpr std::string_view kCopies = "Copies";
constexpr std::string_view kCollate = "Collate";
constexpr std::string_view kPortrait = "Portrait";
constexpr std::string_view kLandscape = "Landscape";

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

bool same(const std::string& value, std::string_view word) {
    return QString::compare(qs(value), qs(std::string(word)), Qt::CaseInsensitive) == 0;
}

// A size's key names a standard paper ("A4", "Letter") or, for a size of the user's own, its
// measures: "Custom.100x150mm" (points carry no unit).
std::optional<QPageSize> paperFromKey(const QString& key) {
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        const auto sizeId = static_cast<QPageSize::PageSizeId>(id);
        if (sizeId != QPageSize::Custom && QPageSize::key(sizeId) == key) return QPageSize(sizeId);
    }
    static const QRegularExpression custom(
        QStringLiteral(R"(^Custom\.(\d+(?:\.\d+)?)x(\d+(?:\.\d+)?)(mm|in|pc|DD|CC)?$)"));
    const QRegularExpressionMatch m = custom.match(key);
    if (!m.hasMatch()) return std::nullopt;
    const QString unitText = m.captured(3);
    const QPageSize::Unit unit = unitText == "mm"   ? QPageSize::Millimeter
                                 : unitText == "in" ? QPageSize::Inch
                                 : unitText == "pc" ? QPageSize::Pica
                                 : unitText == "DD" ? QPageSize::Didot
                                 : unitText == "CC" ? QPageSize::Cicero
                                                    : QPageSize::Point;
    const QSizeF size(m.captured(1).toDouble(), m.captured(2).toDouble());
    if (size.isEmpty()) return std::nullopt;
    return QPageSize(size, unit);
}

// Digits only: "3 copies" or "-1" is not a count.
std::optional<int> copyCount(const std::string& text) {
    bool ok = false;
    const int n = qs(text).toInt(&ok);
    if (!ok || text.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    if (n < 1 || n > PrinterSettings::kMostCopies) return std::nullopt;
    return n;
}

void readOutput(const IniFile& ini, QPrinter& printer) {
    const std::string output = ini.read(PrinterSettings::kSection, kOutput);
    if (same(output, PrinterSettings::kToPdf)) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        // An empty name would turn the printer back to the system's printing.
        const QString file = qs(ini.read(PrinterSettings::kSection, kPdfFile));
        if (!file.isEmpty()) printer.setOutputFileName(file);
        return;
    }
    if (!same(output, PrinterSettings::kToPrinter)) return;
    // Only a printer this machine has is taken; an empty name would make a PDF writer of it.
    // Otherwise the system's default printer stays.
    const QString name = qs(ini.read(PrinterSettings::kSection, kPrinter));
    if (name.isEmpty() || !QPrinterInfo::availablePrinterNames().contains(name)) return;
    printer.setPrinterName(name);
}

}  // namespace

bool PrinterSettings::write(const QPrinter& printer, IniFile& ini) {
    const bool toPdf = printer.outputFormat() == QPrinter::PdfFormat;
    const QPageLayout layout = printer.pageLayout();
    const std::string entries[][2] = {
        {std::string(kOutput), std::string(toPdf ? kToPdf : kToPrinter)},
        {std::string(kPrinter), toPdf ? std::string() : printer.printerName().toStdString()},
        {std::string(kPdfFile), toPdf ? printer.outputFileName().toStdString() : std::string()},
        {std::string(kPaper), layout.pageSize().key().toStdString()},
        {std::string(kOrientation),
         std::string(layout.orientation() == QPageLayout::Landscape ? kLandscape : kPortrait)},
        {std::string(kCopies), std::to_string(printer.copyCount())},
        {std::string(kCollate), printer.collateCopies() ? "1" : "0"},
    };
    for (const auto& [key, value] : entries) {
        if (!ini.write(kSection, key, value)) return false;
    }
    return true;
}

void PrinterSettings::read(const IniFile& ini, QPrinter& printer) {
    readOutput(ini, printer);
    if (const auto paper = paperFromKey(qs(ini.read(kSection, kPaper)))) {
        printer.setPageSize(*paper);
    }
    const std::string orientation = ini.read(kSection, kOrientation);
    if (same(orientation, kLandscape)) printer.setPageOrientation(QPageLayout::Landscape);
    if (same(orientation, kPortrait)) printer.setPageOrientation(QPageLayout::Portrait);
    if (const auto copies = copyCount(ini.read(kSection, kCopies))) printer.setCopyCount(*copies);
    const std::string collate = ini.read(kSection, kCollate);
    if (collate == "1" || collate == "0") printer.setCollateCopies(collate == "1");
}

}  // namespace cdz
