#include "app/domain/opening/BadFileMarker.h"

namespace cdz {

BadFileMarker::BadFileMarker(IniFile& profile, std::string section)
    : profile_(profile),
      section_(std::move(section)),
      opening_(profile.path().string() + std::string(kOpeningLockSuffix)) {}

std::string BadFileMarker::read() const {
    return profile_.read(section_, kKey);
}

std::string BadFileMarker::readLeftBehind() {
    std::string name;
    opening_.whileNoneHolds([&] { name = read(); });
    return name;
}

bool BadFileMarker::set(std::string_view fileName) {
    // Held before the name is written and let go after it is cleared: a marked name on disk
    // always has its lock while its open goes on.
    if (!fileName.empty()) opening_.hold();
    const bool written = profile_.write(section_, kKey, fileName);
    if (fileName.empty()) opening_.release();
    return written;
}

}  // namespace cdz
