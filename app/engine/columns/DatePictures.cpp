#include "app/engine/columns/DatePictures.h"

#include "runtime/text/Picture.h"

namespace cdz {

namespace {

bool isDateLetter(char c) {
    return c == 'd' || c == 'D';
}

}  // namespace

std::string datePictureSetting(std::string_view setting) {
    while (!setting.empty() && (setting.back() == ' ' || setting.back() == '\t')) {
        setting.remove_suffix(1);
    }
    while (!setting.empty() && (setting.front() == ' ' || setting.front() == '\t')) {
        setting.remove_prefix(1);
    }
    if (!setting.empty() && setting.front() == '@') setting.remove_prefix(1);
    // A setting holding a delimiter of the format would cut the format apart.
    if (setting.find_first_of("@~#()") != std::string_view::npos) return {};
    if (!Picture::parse(setting)) return {};
    return std::string(setting);
}

std::string replaceListDatePictures(std::string_view format, std::string_view setting) {
    const std::string picture = datePictureSetting(setting);
    if (picture.empty()) return std::string(format);
    std::string out;
    out.reserve(format.size());
    std::size_t i = 0;
    while (i < format.size()) {
        const char c = format[i];
        const char close = c == '~' ? '~' : c == '@' ? '@' : c == '(' ? ')' : 0;
        if (!close) {
            out += c;
            ++i;
            continue;
        }
        const std::size_t end = format.find(close, i + 1);
        if (end == std::string_view::npos) {
            out += format.substr(i);
            break;
        }
        if (c == '@' && end > i + 1 && isDateLetter(format[i + 1])) {
            out += '@' + picture + '@';
        } else {
            out += format.substr(i, end - i + 1);
        }
        i = end + 1;
    }
    return out;
}

std::string replaceDatePicture(std::string_view picture, std::string_view setting) {
    const std::string replacement = datePictureSetting(setting);
    const bool at = !picture.empty() && picture.front() == '@';
    if (replacement.empty() || picture.size() <= (at ? 1u : 0u) ||
        !isDateLetter(picture[at ? 1 : 0])) {
        return std::string(picture);
    }
    return at ? '@' + replacement : replacement;
}

}  // namespace cdz
