#pragma once
// One report started by the user, from the question to the last page: it asks what to print
// (the criteria window, or the preview question and the query wizard), makes the pages behind
// the progress window, then previews them or prints them with the copies the printer set-up
// asks for, or says there was nothing. The preview opens on the first page made and grows with
// the report. Several may run at once; each has its own answers, records and pages.
#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

#include "app/engine/state/Request.h"
#include "app/reports/ReportDefinition.h"
#include "app/reports/ReportJob.h"
#include "app/reports/ReportProgressWindow.h"

class QWidget;

namespace cdz {

class AppState;
class Dialogs;
class PageSource;
class PreviewWindow;

class ReportSession final : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kNothingToPreview = "Nothing to Preview.";
    static constexpr const char* kNothingToPrint = "Nothing to Print.";

    // Runs the report's questions now; returns its progress window (the procedure's window,
    // which lives until the report has ended), or null when the report ended without one.
    static QWidget* start(AppState& state, const ReportDefinition& definition, QWidget* frame);

    ~ReportSession() override;

    // The question a report without criteria asks first: false when the user cancelled,
    // else `preview` tells whether the pages are to be previewed rather than printed.
    static bool askPreview(Dialogs& dialogs, bool* preview);
    // Prints pages on the printer set up, with its copies; a stop is told to the user.
    static void printPages(AppState& state, const PageSource& pages);

private:
    ReportSession(AppState& state, const ReportDefinition& definition, bool preview,
                  ReportRequest request, QWidget* frame);
    QWidget* begin();
    bool step();
    void ended(ReportProgressWindow::End how);
    // Opens the preview, or tells the open one how many pages there are now.
    void show(bool complete);
    void print();
    void nothing();
    void done(Response response);

    AppState& state_;
    const ReportDefinition& definition_;
    bool preview_;
    QWidget* frame_;
    std::vector<CatalogueFile> held_;  // the files taken through the standard open
    std::unique_ptr<ReportJob> job_;
    ReportRequest request_;  // as asked, for a second start without the wizard's filter
    QPointer<ReportProgressWindow> progress_;
    QPointer<PreviewWindow> previewWindow_;
    bool over_ = false;  // done() was called: the report's work is at an end
};

}  // namespace cdz
