#include "app/labels/LabelPrintSession.h"

#include <QDir>
#include <QPrinter>

#include "app/engine/state/AppState.h"
#include "app/labels/LabelPrintout.h"
#include "app/reports/ReportSession.h"
#include "runtime/report/PageList.h"
#include "runtime/report/PreviewWindow.h"

namespace cdz {
namespace {}  // namespace

QWidget* LabelPrintSession::start(AppState& state, QWidget* frame) {
    const auto id = static_cast<std::int32_t>(state.catalogue().label().LabelID.toInt());
    if (id <= 0) {
        state.dialogs().message(kNoticeTitle, kNoLabel, MessageIcon::Information, Button::Ok,
                                Button::Ok);
        state.respond(Response::Cancelled);
        return nullptr;
    }
    bool preview = false;
    if (!ReportSession::askPreview(state.dialogs(), &preview)) {
        state.respond(Response::Cancelled);
        return nullptr;
    }
    LabelRecord label;
    if (LabelPrintout::read(state.catalogue(), id, &label) != 0) {
        state.warning()(Warning::RecordRetrievalError, "Labels");
        state.respond(Response::Cancelled);
        return nullptr;
    }
    const QSizeF paper = state.printer().pageLayout().fullRect(QPageLayout::Point).size();
    output(state, LabelPrintout::lay(state, label, paper), LabelPrintout::title(label), preview,
           frame);
    state.respond(Response::Completed);
    return nullptr;
}

void LabelPrintSession::output(AppState& state, const LabelSheetResult& sheet, const char* title,
                               bool preview, QWidget* parent) {
    if (!sheet.notices.empty())
        state.dialogs().message(kNoticeTitle, LabelPrintout::notices(sheet),
                                MessageIcon::Information, Button::Ok, Button::Ok);
    PageList pages(QDir::tempPath());
    if (!pages.isOpen() || !pages.append(sheet.page)) {
        state.dialogs().message(kNoticeTitle, pages.errorString().toStdString(),
                                MessageIcon::Warning, Button::Ok, Button::Ok);
        return;
    }
    state.printer().setDocName(QString::fromUtf8(title));
    if (!preview) {
        ReportSession::printPages(state, pages);
        return;
    }
    PreviewWindow window(pages, state.dialogs(), parent);
    window.setWindowFlag(Qt::Window);
    window.setPrintHandler([&state, &pages] { ReportSession::printPages(state, pages); });
    window.exec();
}

}  // namespace cdz
