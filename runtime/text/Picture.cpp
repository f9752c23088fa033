#include "runtime/text/Picture.h"

#include "runtime/text/NumberText.h"

namespace cdz {

namespace {

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

}  // namespace

std::optional<Picture> Picture::parse(std::string_view text) {
    text = trimBlanks(text);
    std::string_view body = text;
    if (!body.empty() && body.front() == '@') body.remove_prefix(1);
    if (body.empty()) return std::nullopt;
    const std::string_view rest = body.substr(1);
    const auto make = [text](auto kind) -> std::optional<Picture> {
        if (!kind) return std::nullopt;
        return Picture(std::string(text), Kind(std::move(*kind)));
    };
    switch (body.front()) {
        case 's':
        case 'S':
            return make(TextPicture::parse(rest));
        case 'n':
        case 'N':
            return make(NumberPicture::parse(rest));
        case 'd':
        case 'D':
            return make(DatePicture::parse(rest));
        case 't':
        case 'T':
            return make(TimePicture::parse(rest));
        default:
            return std::nullopt;
    }
}

char Picture::kind() const {
    static constexpr char kKinds[] = {'S', 'N', 'D', 'T'};
    return kKinds[kind_.index()];
}

int Picture::width() const {
    return std::visit([](const auto& p) { return p.width(); }, kind_);
}

std::string Picture::format(std::string_view storedValue) const {
    return std::visit([storedValue](const auto& p) { return p.format(storedValue); }, kind_);
}

std::string Picture::format(double number) const {
    return std::visit([number](const auto& p) { return p.format(number); }, kind_);
}

std::string Picture::deformat(std::string_view shown) const {
    return std::visit([shown](const auto& p) { return p.deformat(shown); }, kind_);
}

std::string formatPicture(std::string_view picture, std::string_view value) {
    const auto p = Picture::parse(picture);
    return p ? p->format(value) : std::string(value);
}

std::string formatPicture(std::string_view picture, double value) {
    const auto p = Picture::parse(picture);
    if (p) return p->format(value);
    const auto n = NumberText::fromDouble(value);
    return n ? n->plain() : std::string();
}

std::string deformatPicture(std::string_view picture, std::string_view text) {
    const auto p = Picture::parse(picture);
    return p ? p->deformat(text) : std::string(text);
}

}  // namespace cdz
