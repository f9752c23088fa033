#include "runtime/text/TextPicture.h"

#include "runtime/text/NumberText.h"
#include "runtime/text/Text.h"

namespace cdz {

namespace {

// The widest text the runtime holds (Text<N> stores at most 4 bytes a character in 64K).
constexpr int kMaxWidth = 16383;

}  // namespace

std::optional<TextPicture> TextPicture::parse(std::string_view rest) {
    if (rest.empty() || rest.size() > 5) return std::nullopt;
    int width = 0;
    for (char c : rest) {
        if (c < '0' || c > '9') return std::nullopt;
        width = width * 10 + (c - '0');
    }
    if (width < 1 || width > kMaxWidth) return std::nullopt;
    TextPicture p;
    p.width_ = width;
    return p;
}

std::string TextPicture::format(std::string_view value) const {
    return std::string(cutChars(value, width_));
}

std::string TextPicture::format(double value) const {
    const auto n = NumberText::fromDouble(value);
    return format(n ? n->plain() : std::string());
}

}  // namespace cdz
