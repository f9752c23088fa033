#include "app/reports/TimeTotalLayout.h"

#include <cstdlib>

#include "runtime/text/DateTime.h"
#include "runtime/text/Picture.h"

namespace cdz {

TimeTotalLayout::TimeTotalLayout(const ReportDefinition& definition, PageList& pages, QSizeF paper,
                                 std::string title, ReportLook look)
    : pager_(pages, paper, std::move(title), definition.columns, std::move(look)),
      columns_(definition.columns.size()) {
    for (size_t i = 0; i < definition.columns.size(); ++i)
        if (definition.columns[i].label == kTimeLabel && !definition.columns[i].compute)
            column_ = static_cast<int>(i);
}

std::string TimeTotalLayout::shown(int64_t time) {
    if (time <= 0) return {};
    return formatPicture(kTimePicture, static_cast<double>(time));
}

bool TimeTotalLayout::add(const std::vector<std::string>& values) {
    ++lines_;
    if (column_ < 0 || static_cast<size_t>(column_) >= values.size()) return pager_.add(values);
    std::vector<std::string> line = values;
    std::string& time = line[static_cast<size_t>(column_)];
    const long long stored = std::strtoll(time.c_str(), nullptr, 10);
    if (stored >= kTimeZero) hundredths_ += stored - kTimeZero;
    time = shown(stored);
    return pager_.add(line);
}

bool TimeTotalLayout::finish() {
    if (lines_ > 0 && column_ >= 0) {
        std::vector<std::string> total(columns_);
        total[0] = kTotalTime;
        total[static_cast<size_t>(column_)] = shown(hundredths_ + kTimeZero);
        if (!pager_.add(std::vector<std::string>(total.size())) || !pager_.add(total)) return false;
    }
    return pager_.finish();
}

}  // namespace cdz
