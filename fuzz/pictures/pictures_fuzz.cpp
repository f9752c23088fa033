// Input: a picture, a newline, then a value. Every picture the user can type (CSV import and
// export let them) must format and read back any value without a crash; a formatted value must
// keep the picture's width for numbers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "runtime/text/Picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t cut = input.find('\n');
    const std::string_view pictureText = input.substr(0, cut);
    const std::string_view value =
        cut == std::string_view::npos ? std::string_view{} : input.substr(cut + 1);
    if (pictureText.size() > 64 || value.size() > 4096) return 0;

    const auto picture = cdz::Picture::parse(pictureText);
    if (!picture) {
        // A bad picture leaves the value as it is.
        if (cdz::formatPicture(pictureText, value) != value) std::abort();
        return 0;
    }
    const std::string shown = picture->format(value);
    const std::string stored = picture->deformat(shown);
    picture->deformat(value);
    double number = 0;
    if (value.size() >= sizeof number) {
        std::memcpy(&number, value.data(), sizeof number);
        picture->format(number);
    }
    if (picture->kind() == 'N' && !shown.empty() &&
        static_cast<int>(shown.size()) != picture->width()) {
        std::abort();
    }
    (void)stored;
    return 0;
}
