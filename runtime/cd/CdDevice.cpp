#include "runtime/cd/CdDevice.h"

#include <algorithm>
#include <cstdio>

namespace cdz {

std::string CdText::trackTitle(size_t index) const {
    return index < trackTitles.size() ? trackTitles[index] : std::string();
}

std::string CdText::trackPerformer(size_t index) const {
    return index < trackPerformers.size() ? trackPerformers[index] : std::string();
}

bool CdText::empty() const {
    const auto blank = [](const std::string& s) { return s.empty(); };
    return albumTitle.empty() && albumPerformer.empty() &&
           std::all_of(trackTitles.begin(), trackTitles.end(), blank) &&
           std::all_of(trackPerformers.begin(), trackPerformers.end(), blank);
}

std::string cdFramesToMsf(int32_t frames) {
    if (frames < 0) frames = 0;
    const int32_t seconds = frames / kCdFramesPerSecond;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(seconds / 60),
                  static_cast<int>(seconds % 60), static_cast<int>(frames % kCdFramesPerSecond));
    return text;
}

}  // namespace cdz
