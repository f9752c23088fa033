#include "app/reports/ReportSession.h"

#include <QPageLayout>
#include <QPrinter>

#include "app/engine/state/AppState.h"
#include "app/reports/ReportCatalogue.h"
#include "app/reports/ReportCriteriaWindow.h"
#include "app/reports/ReportFont.h"
#include "app/reports/ReportWizard.h"
#include "runtime/report/PagePrinter.h"
#include "runtime/report/PreviewWindow.h"

namespace cdz {
namespace {

const char* kNoteTitle = "NOTE...";

QSizeF paperOf(QPrinter& printer) {
    return printer.pageLayout().fullRect(QPageLayout::Point).size();
}

}  // namespace

bool ReportSession::askPreview(Dialogs& dialogs, bool* preview) {
    const Button b =
        dialogs.message("Preview", "Do you wish to PREVIEW this Report?", MessageIcon::Question,
                        Button::Yes | Button::No | Button::Cancel, Button::Yes);
    *preview = b == Button::Yes;
    return b != Button::Cancel;
}

void ReportSession::printPages(AppState& state, const PageSource& pages) {
    QPrinter& printer = state.printer();
    const PrintOutcome out =
        PagePrinter::print(pages, printer, printer.copyCount(), printer.collateCopies());
    if (!out.ok())
        state.dialogs().message("Print", out.message.toStdString(), MessageIcon::Warning,
                                Button::Ok, Button::Ok);
}

QWidget* ReportSession::start(AppState& state, const ReportDefinition& definition, QWidget* frame) {
    const ReportDefinition* report = &definition;
    ReportRequest request;
    if (definition.prepare && !definition.prepare(state, request)) {
        state.respond(Response::Cancelled);
        return nullptr;
    }
    bool preview = false;
    bool wantFont = false;
    switch (definition.kind) {
        case ReportKind::Criteria: {
            const std::string noun =
                definition.nounOf ? definition.nounOf(state) : definition.criteriaNoun;
            auto answers = ReportCriteriaWindow::ask(state, noun, frame);
            if (!answers) {
                state.respond(Response::Cancelled);
                return nullptr;
            }
            if (answers->brief() && !definition.briefTwin.empty())
                if (const ReportDefinition* twin = ReportCatalogue::find(definition.briefTwin))
                    report = twin;
            preview = answers->preview;
            wantFont = answers->customFont;
            request.criteria = *answers;
            break;
        }
        case ReportKind::Query:
        case ReportKind::Fixed:
            if (!askPreview(state.dialogs(), &preview)) {
                state.respond(Response::Cancelled);
                return nullptr;
            }
            break;
        case ReportKind::PaperSaver:
            // The selection the criteria window left; the style is the report's own.
            request.criteria = state.reportCriteria;
            request.criteria.style.clear();
            break;
    }
    if (wantFont && !report->fontsKey.empty())
        request.font = ReportFont::ask(state.dialogs(), state.settingsFile(), report->fontsKey);
    auto* session = new ReportSession(state, *report, preview, std::move(request), frame);
    QWidget* window = session->begin();
    if (!window) delete session;
    return window;
}

ReportSession::ReportSession(AppState& state, const ReportDefinition& definition, bool preview,
                             ReportRequest request, QWidget* frame)
    : state_(state), definition_(definition), preview_(preview), frame_(frame), request_(request) {
    job_ = std::make_unique<ReportJob>(state, definition, std::move(request),
                                       paperOf(state.printer()));
}

ReportSession::~ReportSession() {
    if (previewWindow_) delete previewWindow_.data();
    job_.reset();
    for (auto f = held_.rbegin(); f != held_.rend(); ++f) state_.catalogue().release(*f);
}

QWidget* ReportSession::begin() {
    std::vector<CatalogueFile> files{definition_.file};
    for (const ReportJoin& j : definition_.joins) files.push_back(j.file);
    for (CatalogueFile f : files) {
        // The standard open, with its messages, before the report reads through its own handles.
        if (state_.catalogue().use(f) != 0) {
            state_.respond(Response::Cancelled);
            return nullptr;
        }
        held_.push_back(f);
    }
    if (!job_->open()) {
        state_.warning()(Warning::RecordRetrievalError, catalogueFileInfo(definition_.file).label);
        done(Response::Cancelled);
        return nullptr;
    }
    std::string asked;
    if (definition_.kind == ReportKind::Query || definition_.kind == ReportKind::PaperSaver) {
        const std::string fields = definition_.queryFields ? definition_.queryFields(state_) : "";
        asked = ReportWizard::ask(state_.dialogs(), definition_.queryClass, fields,
                                  definition_.kind == ReportKind::PaperSaver, job_->bindings(),
                                  &job_->queryDescription());
        job_->setFilter(asked);
    }
    bool started = job_->start();
    if (!started && !asked.empty() && job_->failure() == ReportJob::Failure::View) {
        // A filter from the wizard that the view cannot take: told, and the report goes on
        // without it, on a job of its own.
        state_.warning()(Warning::ViewOpenError);
        job_ =
            std::make_unique<ReportJob>(state_, definition_, request_, paperOf(state_.printer()));
        started = job_->open() && job_->start();
    }
    if (!started) {
        if (job_->failure() == ReportJob::Failure::Before) {
            state_.dialogs().message(definition_.title, job_->error(), MessageIcon::Warning,
                                     Button::Ok, Button::Ok);
        } else if (job_->failure() == ReportJob::Failure::View) {
            state_.warning()(Warning::ViewOpenError);
        } else {
            state_.warning()(Warning::RecordRetrievalError,
                             catalogueFileInfo(definition_.file).label);
        }
        nothing();
        done(Response::Cancelled);
        return nullptr;
    }
    progress_ = new ReportProgressWindow(state_.dialogs(), preview_,
                                         QString::fromStdString(job_->fileLabel()), frame_);
    progress_->setWindowFlag(Qt::Dialog);
    setParent(progress_);
    connect(progress_, &ReportProgressWindow::ended, this, &ReportSession::ended);
    progress_->show();
    // The window takes the keyboard, so that Escape cancels at once.
    progress_->raise();
    progress_->activateWindow();
    progress_->run({[this] { return step(); }, [this] { return job_->percent(); },
                    [this] { return job_->hasPages(); }});
    return progress_;
}

bool ReportSession::step() {
    if (over_) return false;
    const bool more = job_->step(1);
    if (preview_ && job_->pages().pageCount() > 0) show(false);
    return more;
}

void ReportSession::ended(ReportProgressWindow::End how) {
    if (how == ReportProgressWindow::End::Cancelled) {
        done(Response::Cancelled);
        return;
    }
    const bool pagesOk = job_->finish();
    if (job_->readError() != 0 || !pagesOk) {
        // The report stops at a record it cannot read; what was made before it may still be
        // wanted, and is never passed off as the whole report.
        state_.warning()(Warning::RecordRetrievalError, catalogueFileInfo(definition_.file).label);
        if (job_->pages().pageCount() == 0) {
            done(Response::Cancelled);
            return;
        }
        const Button partial = state_.dialogs().message(
            "Question",
            std::string("The report stopped before its end.| |") +
                (preview_ ? "Preview" : "Print") + " Report generated so far?",
            MessageIcon::Question, Button::Yes | Button::No, Button::No);
        if (partial != Button::Yes) {
            done(Response::Cancelled);
            return;
        }
    }
    if (job_->pages().pageCount() == 0) {
        nothing();
        done(Response::Completed);
        return;
    }
    if (preview_) {
        show(true);
    } else {
        print();
        done(Response::Completed);
    }
}

void ReportSession::show(bool complete) {
    if (previewWindow_) {
        previewWindow_->grow(job_->pages().pageCount(), complete);
        return;
    }
    previewWindow_ = new PreviewWindow(job_->pages(), state_.dialogs(), nullptr);
    previewWindow_->grow(job_->pages().pageCount(), complete);
    previewWindow_->setPrintHandler([this] { print(); });
    connect(previewWindow_, &PreviewWindow::closed, this, [this] {
        done(previewWindow_->response() == PreviewResponse::Print ? Response::Completed
                                                                  : Response::Cancelled);
    });
    previewWindow_->show();
    // The report goes on behind the preview: its progress, with Cancel, stays in sight.
    if (!complete && progress_) progress_->raise();
}

void ReportSession::print() {
    printPages(state_, job_->pages());
}

void ReportSession::nothing() {
    state_.dialogs().message(kNoteTitle, preview_ ? kNothingToPreview : kNothingToPrint,
                             MessageIcon::Information, Button::Ok, Button::Ok);
}

void ReportSession::done(Response response) {
    if (over_) return;
    over_ = true;
    state_.respond(response);
    // A preview closed while the report was still being made ends the making too.
    if (progress_) progress_->stop();
    // The procedure's window goes last: the instance number is free once it is destroyed.
    if (progress_) progress_->deleteLater();
}

}  // namespace cdz
