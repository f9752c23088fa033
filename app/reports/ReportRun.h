#pragma once
// One report's pass over its records: the first accepted record found, then a detail line for
// each accepted record a batch at a time, with the share of the file read so far. Records
// that the skip rule leaves out are read and counted but not printed; in "Selected" mode only
// records whose selected field begins with the text are printed. Knows nothing of windows:
// the progress window and the command line drive it alike.
#include <cstdint>
#include <string>
#include <string_view>

#include "app/engine/state/ReportCriteria.h"
#include "app/reports/ReportDefinition.h"
#include "app/reports/ReportLayout.h"
#include "app/reports/ReportRecords.h"

namespace cdz {

class ReportRun {
public:
    ReportRun(ReportRecords& records, const ReportDefinition& definition, ReportLayout& layout,
              ReportCriteria criteria);

    // Applies the filter and reads up to the first accepted record. False when the filter is
    // refused or the view cannot be read (error() says why); true also when nothing is
    // accepted (then done() is true at once).
    bool start(std::string_view filter);
    // Prints up to `records` accepted records, reading on; false once nothing is left to do.
    bool step(int records);
    // Ends the last page; false when the page list refused it.
    bool finish();

    bool done() const { return done_; }
    // The runtime code of a read that failed (not the end of the file), 0 otherwise.
    int readError() const { return readError_; }
    const std::string& error() const { return error_; }
    // Records read of the file's count when the run began, 0 to 100.
    int percent() const { return percent_; }
    int64_t printed() const { return printed_; }

private:
    // Reads until a record is accepted or the file ends.
    void readAccepted(bool first);
    bool accepted() const;
    void count();

    ReportRecords& records_;
    const ReportDefinition& definition_;
    ReportLayout& layout_;
    ReportCriteria criteria_;
    int64_t total_ = 0;
    int64_t read_ = 0;
    int64_t printed_ = 0;
    int percent_ = 0;
    int readError_ = 0;
    bool done_ = false;
    std::string error_;
};

}  // namespace cdz
