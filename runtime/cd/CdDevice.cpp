#include "runtime/cd/CdDevice.h"

#include <cstdio>

namespace cdz {

std::string cdFramesToMsf(int32_t frames) {
    if (frames < 0) frames = 0;
    const int32_t seconds = frames / kCdFramesPerSecond;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(seconds / 60),
                  static_cast<int>(seconds % 60), static_cast<int>(frames % kCdFramesPerSecond));
    return text;
}

}  // namespace cdz
