#include "app/albums/cd/CdTime.h"

#include <cstdio>

#include "runtime/text/DateTime.h"

namespace cdz {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

int32_t MsfToTime(std::string_view msf) {
    const std::string_view text = msf.substr(0, 8);
    const size_t colon = text.find(':');
    if (colon == 0 || colon == std::string_view::npos || colon + 2 >= text.size() ||
        !isDigit(text[colon + 1]) || !isDigit(text[colon + 2]))
        return 0;
    int minutes = 0;
    for (size_t i = 0; i < colon; ++i) {
        if (!isDigit(text[i])) return 0;
        minutes = minutes * 10 + (text[i] - '0');
    }
    int seconds = (text[colon + 1] - '0') * 10 + (text[colon + 2] - '0');
    if (seconds >= 60) {
        seconds -= 60;
        ++minutes;
    }
    // The hour carries whatever lies past 59 minutes.
    const int hours = minutes <= 59 ? 0 : 1;
    return timeFromHms(hours, minutes - hours * 60, seconds);
}

std::string TimeToMinSec(int32_t time) {
    if (time < kTimeZero) return std::string(5, ' ');
    const int32_t seconds = (time - kTimeZero) / 100;
    char text[16];
    std::snprintf(text, sizeof text, "%2d:%02d", static_cast<int>(seconds / 60),
                  static_cast<int>(seconds % 60));
    return text;
}

}  // namespace cdz
