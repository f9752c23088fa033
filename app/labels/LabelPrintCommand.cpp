#include "app/labels/LabelPrintCommand.h"

#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <charconv>
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

int runFromOptions(const CommandOptions& options, std::FILE* out, std::FILE* err) {
    const LabelPrintOrder order{options.value("print-label"), options.value("pdf"),
                                options.value("paper")};
    const auto state = headlessState(options, err);
    if (!state) return kWrongOrder;
    return LabelPrintCommand::run(*state, order, out, err);
}

}  // namespace

// Fonts and PDF files need the application object, on a platform without a screen.
HeadlessCommand LabelPrintCommand::command() {
    return {.trigger = {.name = "print-label",
                        .valueName = "number",
                        .help = "Print the label numbered <number> without a window, as the label "
                                "browse prints it, to the PDF file named by --pdf; --paper A4 or "
                                "--paper Letter chooses the paper (else the printer set-up's). "
                                "What cannot be printed as the label asks (a missing picture, a "
                                "typeface this computer lacks) is told on the error output."},
            .options = {{.name = "paper", .valueName = "A4|Letter", .help = "See --print-label."},
                        {.name = "pdf", .valueName = "file", .help = "See --print-label."}},
            .needs = CommandNeeds::Application,
            .run = &runFromOptions};
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
