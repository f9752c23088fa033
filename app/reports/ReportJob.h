#pragma once
// One report being made, without any window: its own records, the page list spooled in the
// temporary folder, the layout and the pass over the records. The progress window and the
// command line's --print drive it the same way; whoever drives it shows or prints the pages.
#include <QSizeF>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/engine/state/ReportCriteria.h"
#include "app/reports/ReportDefinition.h"
#include "runtime/report/PageList.h"
#include "runtime/ui/FontChoice.h"

namespace cdz {

class AppState;
class Bindings;
class ReportLayout;
class ReportRecords;
class ReportRun;

// What the user asked of one run of a report.
struct ReportRequest {
    ReportCriteria criteria;         // the report's own copy of the criteria answers
    std::string filter;              // the query wizard's text, or the report's own
    std::optional<FontChoice> font;  // the custom font chosen, if any
    std::string title;               // replaces the report's title when not empty
    std::string queryDescription;    // the saved query's description, when one was used
    int32_t subject = 0;             // the record printed for (a playlist's number), if any
};

class ReportJob {
public:
    // Why a job could not start: its files, its view, or its filter; or its step before the
    // pass.
    enum class Failure { None, Open, View, Pages, Before };

    ReportJob(AppState& state, const ReportDefinition& definition, ReportRequest request,
              QSizeF paper);
    ~ReportJob();
    ReportJob(const ReportJob&) = delete;
    ReportJob& operator=(const ReportJob&) = delete;

    // Opens the files and the view (the filter's names are then bound: bindings()).
    bool open();
    // Opens when not yet open, applies the filter and reads to the first record printed.
    bool start();
    Bindings& bindings();
    void setFilter(std::string text) { request_.filter = std::move(text); }
    // The description of the query the wizard gave (a paper saver prints it).
    std::string& queryDescription() { return request_.queryDescription; }
    Failure failure() const { return failure_; }
    const std::string& error() const { return error_; }

    // Up to `records` more detail lines; false once the records are all read (or failed).
    bool step(int records);
    // Ends the last page. False when the page list refused it.
    bool finish();

    int percent() const;
    // A read that failed after the start (the report stops there): its runtime code, else 0.
    int readError() const;
    // Whether a preview would show anything now: pages sent or a line on the page being made.
    bool hasPages() const;
    const PageList& pages() const { return *pages_; }
    const std::string& fileLabel() const;
    const ReportDefinition& definition() const { return definition_; }

private:
    AppState& state_;
    ReportDefinition definition_;  // the report's, with the user's date pictures
    ReportRequest request_;
    QSizeF paper_;
    std::unique_ptr<PageList> pages_;
    std::unique_ptr<ReportRecords> records_;
    std::unique_ptr<ReportLayout> layout_;
    std::unique_ptr<ReportRun> run_;
    Failure failure_ = Failure::None;
    std::string error_;
};

}  // namespace cdz
