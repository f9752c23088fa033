#include "runtime/audiofile/TagText.h"

#include <charconv>
#include <cstddef>

namespace cdz {

namespace {

// The length of the control character at `at`, or 0 when there is none there.
std::size_t controlLength(std::string_view text, std::size_t at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x20 || byte == 0x7F) return 1;
    // U+0080..U+009F are written C2 80..C2 9F.
    if (byte == 0xC2 && at + 1 < text.size()) {
        const auto next = static_cast<unsigned char>(text[at + 1]);
        if (next >= 0x80 && next <= 0x9F) return 2;
    }
    return 0;
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// Numbers past this are no track, disc or year a tag means.
constexpr int kLargestTagNumber = 99999;

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && isLeapYear(year)) return 29;
    return kDays[month - 1];
}

// The digits of text[at, at + count) as a number, or -1 when they are not all digits.
int digitsAt(std::string_view text, std::size_t at, std::size_t count) {
    if (at + count > text.size()) return -1;
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

}  // namespace

std::string cleanTagText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    bool gap = false;
    for (std::size_t at = 0; at < utf8.size();) {
        if (const std::size_t control = controlLength(utf8, at)) {
            gap = !out.empty();
            at += control;
            continue;
        }
        if (gap && out.back() != ' ' && utf8[at] != ' ') out += ' ';
        gap = false;
        out += utf8[at++];
    }
    return std::string(trimBlanks(out));
}

int parseTagNumber(std::string_view text) {
    text = trimBlanks(text);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return 0;
    return value > 0 && value <= kLargestTagNumber ? value : 0;
}

NumberOfTotal parseNumberOfTotal(std::string_view text) {
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos) return {parseTagNumber(text), 0};
    return {parseTagNumber(text.substr(0, slash)), parseTagNumber(text.substr(slash + 1))};
}

TagDate parseTagDate(std::string_view text) {
    text = trimBlanks(text);
    const int year = digitsAt(text, 0, 4);
    // "19970" is no year followed by more.
    if (year <= 0 || (text.size() > 4 && text[4] >= '0' && text[4] <= '9')) return {};
    const bool fullDate = text.size() >= 10 && text[4] == '-' && text[7] == '-' &&
                          (text.size() == 10 || text[10] == 'T' || text[10] == ' ');
    if (!fullDate) return {year, 0, 0};
    const int month = digitsAt(text, 5, 2);
    const int day = digitsAt(text, 8, 2);
    if (month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)) return {year, 0, 0};
    return {year, month, day};
}

}  // namespace cdz
