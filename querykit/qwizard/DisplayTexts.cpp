#include "querykit/qwizard/DisplayTexts.h"

#include <charconv>

#include "runtime/text/Text.h"

namespace qk {

namespace {

struct Range {
    int first;
    int last;
    int width;  // for a range of button triples: width of tip, message, caption in turn
    int width2 = 0;
    int width3 = 0;
};

// Slot widths. Button slots come in triples (tip, status message, caption).
constexpr Range kRanges[] = {
    {1, 12, 30},     {31, 31, 40},   {32, 32, 150},  {33, 33, 40},    {34, 34, 200},
    {35, 35, 40},    {36, 36, 70},   {37, 37, 40},   {38, 38, 350},   {39, 39, 40},
    {40, 40, 150},   {41, 41, 40},   {42, 42, 70},   {71, 71, 60},    {73, 73, 60},
    {75, 75, 60},    {77, 77, 60},   {79, 79, 60},   {100, 100, 60},  {151, 153, 26},
    {154, 154, 30},  {155, 156, 70}, {157, 157, 50}, {158, 158, 30},  {159, 159, 40},
    {160, 160, 30},  {161, 162, 70}, {163, 163, 60}, {164, 165, 30},  {166, 166, 50},
    {167, 167, 40},  {168, 168, 70}, {169, 169, 30}, {170, 170, 120}, {171, 171, 30},
    {200, 200, 60},  {201, 201, 40}, {202, 202, 60}, {220, 220, 40},  {221, 221, 250},
    {231, 232, 120}, {233, 235, 40}, {236, 236, 30}, {300, 301, 70},  {302, 303, 60},
};

// Button triples: 101..127 (60, 35, 15), 203..217 and 237..242 (50, 25, 15).
int tripleWidth(int32_t number) {
    if (number >= 101 && number <= 127) {
        static constexpr int w[] = {60, 35, 15};
        return w[(number - 101) % 3];
    }
    if ((number >= 203 && number <= 217) || (number >= 237 && number <= 242)) {
        static constexpr int w[] = {50, 25, 15};
        const int base = number >= 237 ? 237 : 203;
        return w[(number - base) % 3];
    }
    return 0;
}

constexpr int kBesideWidth = 40;

}  // namespace

int DisplayTexts::width(int32_t number) {
    if (int w = tripleWidth(number)) return w;
    for (const Range& r : kRanges)
        if (number >= r.first && number <= r.last) return r.width;
    return 0;
}

bool DisplayTexts::isFontSize(int32_t number) {
    return number >= 72 && number <= 80 && number % 2 == 0;
}

void DisplayTexts::set(int32_t number, std::string_view text) {
    if (isFontSize(number)) {
        // The runtime's conversion of a text to a number: leading blanks skipped, the leading
        // digits taken, anything else reads as 0.
        std::string_view t = text;
        while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
        int value = 0;
        auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
        sizes_[number] = ec == std::errc() ? value : 0;
        (void)ptr;
        return;
    }
    const int w = width(number);
    if (w == 0) return;
    if (number == 161 || number == 162) {
        const auto bar = text.find('|');
        std::string_view before = text.substr(0, bar);
        std::string_view after =
            bar == std::string_view::npos ? std::string_view{} : text.substr(bar + 1);
        texts_[number] = std::string(cdz::cutChars(before, w));
        beside_[number] = std::string(cdz::cutChars(after, kBesideWidth));
        return;
    }
    texts_[number] = std::string(cdz::cutChars(text, w));
}

std::string DisplayTexts::text(int32_t number) const {
    auto it = texts_.find(number);
    return it == texts_.end() ? std::string() : it->second;
}

int DisplayTexts::fontSize(int32_t number) const {
    auto it = sizes_.find(number);
    return it == sizes_.end() ? 0 : it->second;
}

std::string DisplayTexts::besideText(int32_t number) const {
    auto it = beside_.find(number);
    return it == beside_.end() ? std::string() : it->second;
}

}  // namespace qk
