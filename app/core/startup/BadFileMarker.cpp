#include "app/core/startup/BadFileMarker.h"

namespace cdz {

BadFileMarker::BadFileMarker(IniFile& profile, std::string section)
    : profile_(profile), section_(std::move(section)) {}

std::string BadFileMarker::read() const {
    return profile_.read(section_, kKey);
}

bool BadFileMarker::set(std::string_view fileName) {
    return profile_.write(section_, kKey, fileName);
}

}  // namespace cdz
