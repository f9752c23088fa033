#include "app/domain/settings/DateFormatChoices.h"

#include <array>

#include "runtime/text/Text.h"

namespace cdz {

namespace {

constexpr std::array<DateFormatChoice, 15> kChoices{{
    {"Windows Default", "d17"},
    {"Year Only", kYearOnlyPicture},
    {"October 31, 1959", "d4"},
    {"OCT 31,1959", "d3"},
    {"10/31/59", "d1"},
    {"10/31/1959", "d2"},
    {"31 OCT 59", "d7"},
    {"31 OCT 1959", "d8"},
    {"31/10/59", "d5"},
    {"31/10/1959", "d6"},
    {"59/10", "d15"},
    {"1959/10", "d16"},
    {"10/59", "d13"},
    {"10/1959", "d14"},
    {"Windows Default 2", "d18"},
}};

}  // namespace

std::span<const DateFormatChoice> dateFormatChoices() {
    return kChoices;
}

int dateFormatIndex(std::string_view picture) {
    const std::string_view wanted = clip(picture);
    for (size_t i = 0; i < kChoices.size(); ++i) {
        if (kChoices[i].picture.size() != wanted.size()) continue;
        bool same = true;
        for (size_t c = 0; c < wanted.size() && same; ++c)
            same = (wanted[c] | 0x20) == (kChoices[i].picture[c] | 0x20);
        if (same) return static_cast<int>(i);
    }
    return 0;
}

}  // namespace cdz
