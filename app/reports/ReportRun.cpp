#include "app/reports/ReportRun.h"

#include <algorithm>
#include <vector>

#include "runtime/data/ErrorState.h"

namespace cdz {

ReportRun::ReportRun(ReportRecords& records, const ReportDefinition& definition,
                     ReportLayout& layout, ReportCriteria criteria)
    : records_(records), definition_(definition), layout_(layout), criteria_(std::move(criteria)) {}

bool ReportRun::start(std::string_view filter) {
    total_ = records_.total();
    const std::string_view startsWith =
        criteria_.selectedOnly() ? std::string_view(criteria_.selection) : std::string_view();
    if (!records_.setFilter(filter, definition_.selectedField, startsWith, &error_)) {
        done_ = true;
        return false;
    }
    readAccepted(true);
    return readError_ == 0;
}

bool ReportRun::accepted() const {
    if (!definition_.skipMarked) return true;
    return records_.text("MUS:Artist").find("(*)") == std::string::npos &&
           records_.text("MUS:Title").find("(Skips)") == std::string::npos;
}

void ReportRun::count() {
    ++read_;
    // A file that grows while the report runs never shows more than all of it; an empty one
    // at the start is all read as soon as anything is.
    const int64_t share = total_ > 0 ? read_ * 100 / total_ : 100;
    percent_ = static_cast<int>(std::min<int64_t>(share, 100));
}

void ReportRun::readAccepted(bool first) {
    for (bool from = first;; from = false) {
        const int code = from ? records_.first() : records_.next();
        if (code == err::kRecordNotAvailable) {
            // A filter may skip the last records unread: at the end all of the file is done.
            percent_ = 100;
            done_ = true;
            return;
        }
        if (code != 0) {
            readError_ = code;
            error_ = "reading " + records_.fileName() + " failed (" + std::to_string(code) + ")";
            done_ = true;
            return;
        }
        count();
        if (accepted()) return;
    }
}

bool ReportRun::step(int records) {
    std::vector<std::string> values(definition_.columns.size());
    for (int i = 0; i < records && !done_; ++i) {
        if (!definition_.selectedField.empty() &&
            !criteria_.includes(records_.text(definition_.selectedField))) {
            readAccepted(false);
            continue;
        }
        for (size_t c = 0; c < values.size(); ++c) {
            const ReportColumn& column = definition_.columns[c];
            values[c] = column.compute ? column.compute(records_, column)
                                       : records_.text(column.label, column.picture);
        }
        if (!layout_.add(values)) {
            readError_ = err::kDriverError;
            error_ = "the report's pages could not be written";
            done_ = true;
            return false;
        }
        ++printed_;
        readAccepted(false);
    }
    return !done_;
}

bool ReportRun::finish() {
    return layout_.finish();
}

}  // namespace cdz
