#include "app/shell/frame/BuildStamp.h"

#include <tuple>
#include <utility>

#include "runtime/text/DateTime.h"

#ifndef CDZ_STAMP_CREATED
#define CDZ_STAMP_CREATED ""
#endif
#ifndef CDZ_STAMP_CHANGED
#define CDZ_STAMP_CHANGED ""
#endif

namespace cdz {

namespace {

bool digits(std::string_view s, std::size_t from, std::size_t count, int& out) {
    out = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        out = out * 10 + (s[i] - '0');
    }
    return true;
}

std::pair<std::int32_t, std::int32_t> parseOne(std::string_view s) {
    int year, month, day, hour, minute, second;
    if (s.size() != 14 || !digits(s, 0, 4, year) || !digits(s, 4, 2, month) ||
        !digits(s, 6, 2, day) || !digits(s, 8, 2, hour) || !digits(s, 10, 2, minute) ||
        !digits(s, 12, 2, second))
        return {0, 0};
    if (month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month) || hour > 23 ||
        minute > 59 || second > 59)
        return {0, 0};
    return {dateFromYmd(year, month, day), timeFromHms(hour, minute, second)};
}

}  // namespace

BuildStamp BuildStamp::parse(std::string_view created, std::string_view changed) {
    BuildStamp stamp;
    std::tie(stamp.createdDate, stamp.createdTime) = parseOne(created);
    std::tie(stamp.changedDate, stamp.changedTime) = parseOne(changed);
    return stamp;
}

BuildStamp BuildStamp::current() {
    return parse(CDZ_STAMP_CREATED, CDZ_STAMP_CHANGED);
}

const char* BuildStamp::wordSize() {
    return sizeof(void*) == 8 ? "64-bit" : "32-bit";
}

}  // namespace cdz
