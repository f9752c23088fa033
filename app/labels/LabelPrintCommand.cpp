#include "app/labels/LabelPrintCommand.h"

#include <QApplication>
#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string_view>

#include "app/engine/command/HeadlessState.h"
#include "app/engine/state/AppState.h"
#include "app/labels/LabelPrintout.h"
#include "runtime/process/CommandOptions.h"
#include "runtime/report/PageList.h"
#include "runtime/report/PdfExport.h"

namespace cdz {
namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kWrongOrder = 2;
constexpr int kNoSuchRecord = 35;

}  // namespace

std::optional<int> LabelPrintCommand::runFromArguments(int argc, char** argv) {
    LabelPrintOrder order;
    std::string folder = ".";
    bool asked = false;
    if (!readCommandOptions(argc, argv,
                            {{kOption, &order.label, &asked},
                             {"--pdf", &order.pdf},
                             {"--paper", &order.paper},
                             {"--data-dir", &folder}},
                            stderr)) {
        return kWrongOrder;
    }
    if (!asked) return std::nullopt;
    // Fonts and PDF files need a platform, not a screen.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    const auto state = headlessState(folder, stderr, argc, argv);
    if (!state) return kWrongOrder;
    return run(*state, order, stdout, stderr);
}

int LabelPrintCommand::run(AppState& state, const LabelPrintOrder& order, std::FILE* out,
                           std::FILE* err) {
    std::int32_t id = 0;
    const char* end = order.label.data() + order.label.size();
    const auto got = std::from_chars(order.label.data(), end, id);
    if (got.ec != std::errc() || got.ptr != end || id <= 0) {
        std::fprintf(err, "cdzapp: --print-label needs a label number, not \"%s\"\n",
                     order.label.c_str());
        return kWrongOrder;
    }
    if (order.pdf.empty()) {
        std::fprintf(err, "cdzapp: --print-label needs --pdf FILE, the PDF file to write\n");
        return kWrongOrder;
    }
    QSizeF paper;
    const QString named = QString::fromStdString(order.paper);
    if (named.compare("A4", Qt::CaseInsensitive) == 0) {
        paper = QPageSize(QPageSize::A4).size(QPageSize::Point);
    } else if (named.compare("Letter", Qt::CaseInsensitive) == 0) {
        paper = QPageSize(QPageSize::Letter).size(QPageSize::Point);
    } else if (order.paper.empty()) {
        paper = state.printer().pageLayout().fullRect(QPageLayout::Point).size();
    } else {
        std::fprintf(err, "cdzapp: --paper is A4 or Letter, not \"%s\"\n", order.paper.c_str());
        return kWrongOrder;
    }
    LabelRecord label;
    if (int code = LabelPrintout::read(state.catalogue(), id, &label)) {
        // A catalogue without a labels file has no label 1 either.
        if (code == kNoSuchRecord || code == err::kFileNotFound) {
            std::fprintf(err, "cdzapp: there is no label %d\n", id);
        } else {
            std::fprintf(err, "cdzapp: the labels file could not be read (%d - %s)\n", code,
                         state.error().driverText.c_str());
        }
        return kFailed;
    }
    const LabelSheetResult sheet = LabelPrintout::lay(state, label, paper);
    for (const std::string& notice : sheet.notices)
        std::fprintf(err, "cdzapp: note: %s\n", notice.c_str());
    PageList pages(QDir::tempPath());
    if (!pages.isOpen() || !pages.append(sheet.page)) {
        std::fprintf(err, "cdzapp: %s\n", pages.errorString().toStdString().c_str());
        return kFailed;
    }
    const PdfOutcome pdf = PdfExport::write(pages, QString::fromStdString(order.pdf));
    if (!pdf.written) {
        std::fprintf(err, "cdzapp: %s\n", pdf.message.toStdString().c_str());
        return kFailed;
    }
    std::fprintf(out, "label %d (%s): 1 page written to %s\n", id, LabelPrintout::title(label),
                 order.pdf.c_str());
    return kDone;
}

}  // namespace cdz
