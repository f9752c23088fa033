#pragma once
// Display pictures: how a stored value is shown and how shown text is read back. A picture is
// written with or without a leading "@", its kind letter in either case: "@s40" text, "@n-10.2"
// number, "@d17-" date, "@t4" time (see the picture classes for each grammar).
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "runtime/text/DatePicture.h"
#include "runtime/text/NumberPicture.h"
#include "runtime/text/TextPicture.h"
#include "runtime/text/TimePicture.h"

namespace cdz {

class Picture {
public:
    // nullopt for an unknown kind or a malformed picture. Surrounding blanks are ignored.
    static std::optional<Picture> parse(std::string_view text);

    // 'S', 'N', 'D' or 'T'.
    char kind() const;
    // Characters the formatted value takes (typical width for dates and times).
    int width() const;
    // The picture as it was written, without surrounding blanks.
    const std::string& text() const { return text_; }

    // A stored value given as its text: a string, or a number in plain notation.
    std::string format(std::string_view storedValue) const;
    std::string format(double number) const;
    // Shown text back to the stored value: the text cut to the width for S, a plain number for
    // N ("1234.5"), a day number or time value for D and T ("0" when the text is no date/time).
    std::string deformat(std::string_view shown) const;

    // The kind's own picture, for callers that need more than the common face.
    const TextPicture* asText() const { return std::get_if<TextPicture>(&kind_); }
    const NumberPicture* asNumber() const { return std::get_if<NumberPicture>(&kind_); }
    const DatePicture* asDate() const { return std::get_if<DatePicture>(&kind_); }
    const TimePicture* asTime() const { return std::get_if<TimePicture>(&kind_); }

private:
    using Kind = std::variant<TextPicture, NumberPicture, DatePicture, TimePicture>;
    Picture(std::string text, Kind kind) : text_(std::move(text)), kind_(std::move(kind)) {}

    std::string text_;
    Kind kind_;
};

// One-off helpers: parse and apply. With a picture that does not parse, the value is returned
// unchanged, so a bad picture in a list or export shows the raw value rather than failing.
std::string formatPicture(std::string_view picture, std::string_view value);
std::string formatPicture(std::string_view picture, double value);
std::string deformatPicture(std::string_view picture, std::string_view text);

}  // namespace cdz
