#include "runtime/expr/ExprFunctions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "runtime/text/DateTime.h"
#include "runtime/text/Unicode.h"

namespace cdz {

namespace {

constexpr std::array<ExprFunctionInfo, 16> kFunctions{{
    {"UPPER", ExprFunction::Upper, 1, 1},
    {"LOWER", ExprFunction::Lower, 1, 1},
    {"SUB", ExprFunction::Sub, 2, 3},
    {"INSTRING", ExprFunction::Instring, 2, 4},
    {"ABS", ExprFunction::Abs, 1, 1},
    {"CLIP", ExprFunction::Clip, 1, 1},
    {"LEN", ExprFunction::Len, 1, 1},
    {"INT", ExprFunction::Int, 1, 1},
    {"ROUND", ExprFunction::Round, 1, 2},
    {"TODAY", ExprFunction::Today, 0, 0},
    {"YEAR", ExprFunction::Year, 1, 1},
    {"MONTH", ExprFunction::Month, 1, 1},
    {"DAY", ExprFunction::Day, 1, 1},
    {"DATE", ExprFunction::Date, 3, 3},
    {"LEFT", ExprFunction::Left, 1, 2},
    {"NUMERIC", ExprFunction::Numeric, 1, 1},
}};

// exprFunctionInfo() indexes the table by the enum.
constexpr bool inEnumOrder() {
    for (size_t i = 0; i < kFunctions.size(); ++i)
        if (static_cast<size_t>(kFunctions[i].function) != i) return false;
    return true;
}
static_assert(inEnumOrder(), "kFunctions must list the functions in ExprFunction order");

bool equalsAsciiNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char c = a[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != b[i]) return false;
    }
    return true;
}

bool isAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Case mapping into the node's buffer: plain ASCII reuses the buffer's capacity, so the common
// UPPER(field) of a filter allocates nothing once warmed up.
std::string_view mapCase(std::string_view s, bool upper, std::string& buffer) {
    if (!isAscii(s)) {
        buffer = upper ? toUpper(s) : toLower(s);
        return buffer;
    }
    buffer.assign(s);
    for (char& c : buffer) {
        if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return buffer;
}

// Byte offset of the character at 0-based index n (the end when n is past it).
size_t charOffset(std::string_view s, int64_t n) {
    if (n <= 0) return 0;
    return cutChars(s, static_cast<int>(std::min<int64_t>(n, std::numeric_limits<int>::max())))
        .size();
}

// Characters in the 1-based range [start, start+len) that lie inside the text.
std::string_view sub(std::string_view s, double startArg, double lenArg) {
    int64_t start = exprToInt64(startArg);
    // Lengths and positions beyond any text are cut to a safe size before any arithmetic.
    constexpr int64_t kFar = int64_t{1} << 40;
    start = std::clamp<int64_t>(start, -kFar, kFar);
    const int64_t len = std::clamp<int64_t>(exprToInt64(lenArg), -kFar, kFar);
    if (len <= 0) return {};
    if (start < 0) start += charCount(s) + 1;
    int64_t first = start;
    int64_t end = start + len;  // exclusive
    if (first < 1) first = 1;
    if (end <= first) return {};
    const size_t from = charOffset(s, first - 1);
    const std::string_view rest = s.substr(from);
    return rest.substr(0, charOffset(rest, end - first));
}

// 1-based character position of `needle` trying positions start, start+step, ...; 0 if none.
// One forward pass over the places where the needle occurs, whatever the step, so that no
// step or start makes the search slower than reading the text once.
double instring(std::string_view needle, std::string_view hay, double stepArg, double startArg) {
    constexpr int64_t kFar = int64_t{1} << 40;
    const int64_t step = std::clamp<int64_t>(exprToInt64(stepArg), -kFar, kFar);
    int64_t start = std::clamp<int64_t>(exprToInt64(startArg), -kFar, kFar);
    if (needle.empty() || step == 0 || needle.size() > hay.size()) return 0;
    if (step > 0 && start < 1) start = 1;
    if (step < 0 && start < 1) return 0;
    // Forward searches need not look before start.
    int64_t pos = step > 0 ? start : 1;
    size_t off = charOffset(hay, pos - 1);
    int64_t best = 0;
    while (off < hay.size()) {
        const size_t hit = hay.find(needle, off);
        if (hit == std::string_view::npos) break;
        while (off < hit) {
            off += cutChars(hay.substr(off), 1).size();
            ++pos;
        }
        if (step < 0 && pos > start) break;
        // A hit that starts inside a character (only in invalid text) is no hit.
        if (off == hit) {
            if (step > 0 && (pos - start) % step == 0) return static_cast<double>(pos);
            if (step < 0 && (start - pos) % -step == 0) best = pos;
            off += cutChars(hay.substr(off), 1).size();
            ++pos;
        }
    }
    return static_cast<double>(best);
}

double roundTo(double x, double step) {
    step = std::fabs(step);
    if (step == 0) return x;
    // A hair over one part in 10^15 moves halves that binary fractions hold just below .5
    // (2.675 / 0.01 = 267.4999...) to where the decimal text says they are.
    const double q = x / step;
    const double r = std::round(q * (1 + 8 * std::numeric_limits<double>::epsilon()));
    // Dividing by 100 is exact to the last bit where multiplying by 0.01 is not.
    const double inverse = 1 / step;
    const double whole = std::round(inverse);
    if (step < 1 && whole != 0 && std::fabs(inverse - whole) < 1e-9 * whole) return r / whole;
    return r * step;
}

std::string_view left(std::string_view s, bool hasLength, double lengthArg, std::string& buffer) {
    const auto first = s.find_first_not_of(' ');
    const std::string_view body =
        first == std::string_view::npos ? std::string_view{} : s.substr(first);
    int64_t width = charCount(s);
    if (hasLength) width = std::clamp<int64_t>(exprToInt64(lengthArg), 0, kExprMaxPad);
    const std::string_view kept = cutChars(body, static_cast<int>(width));
    const int64_t pad = width - charCount(kept);
    if (pad <= 0) return kept;
    buffer.assign(kept);
    buffer.append(static_cast<size_t>(pad), ' ');
    return buffer;
}

ExprOperand datePart(double d, int which) {
    const Ymd ymd = ymdFromDate(exprToInt(d));
    return ExprOperand::ofNumber(which == 0 ? ymd.year : which == 1 ? ymd.month : ymd.day);
}

}  // namespace

const ExprFunctionInfo* findExprFunction(std::string_view name) {
    for (const ExprFunctionInfo& info : kFunctions)
        if (equalsAsciiNoCase(name, info.name)) return &info;
    return nullptr;
}

const ExprFunctionInfo& exprFunctionInfo(ExprFunction function) {
    return kFunctions[static_cast<size_t>(function)];
}

ExprOperand callExprFunction(ExprFunction function, const ExprOperand* args, int argc,
                             std::string& buffer) {
    char scratch[kExprNumberTextMax];
    switch (function) {
        case ExprFunction::Upper:
        case ExprFunction::Lower:
            return ExprOperand::ofText(
                mapCase(args[0].toText(scratch), function == ExprFunction::Upper, buffer));
        case ExprFunction::Sub: {
            const std::string_view s = args[0].toText(scratch);
            const double len = argc > 2 ? args[2].toNumber() : static_cast<double>(s.size());
            const std::string_view part = sub(s, args[1].toNumber(), len);
            if (args[0].isString) return ExprOperand::ofText(part);
            buffer.assign(part);  // the scratch text dies with this call
            return ExprOperand::ofText(buffer);
        }
        case ExprFunction::Instring: {
            char scratch2[kExprNumberTextMax];
            return ExprOperand::ofNumber(instring(args[0].toText(scratch), args[1].toText(scratch2),
                                                  argc > 2 ? args[2].toNumber() : 1,
                                                  argc > 3 ? args[3].toNumber() : 1));
        }
        case ExprFunction::Abs:
            return ExprOperand::ofNumber(std::fabs(args[0].toNumber()));
        case ExprFunction::Clip: {
            if (args[0].isString) return ExprOperand::ofText(clip(args[0].text));
            buffer.assign(args[0].toText(scratch));
            return ExprOperand::ofText(buffer);
        }
        case ExprFunction::Len:
            return ExprOperand::ofNumber(charCount(args[0].toText(scratch)));
        case ExprFunction::Int:
            return ExprOperand::ofNumber(std::trunc(args[0].toNumber()));
        case ExprFunction::Round:
            return ExprOperand::ofNumber(
                roundTo(args[0].toNumber(), argc > 1 ? args[1].toNumber() : 1));
        case ExprFunction::Today:
            return ExprOperand::ofNumber(today());
        case ExprFunction::Year:
            return datePart(args[0].toNumber(), 0);
        case ExprFunction::Month:
            return datePart(args[0].toNumber(), 1);
        case ExprFunction::Day:
            return datePart(args[0].toNumber(), 2);
        case ExprFunction::Date:
            return ExprOperand::ofNumber(dateFromYmd(exprToInt(args[2].toNumber()),
                                                     exprToInt(args[0].toNumber()),
                                                     exprToInt(args[1].toNumber())));
        case ExprFunction::Left: {
            const std::string_view s = args[0].toText(scratch);
            const std::string_view out =
                left(s, argc > 1, argc > 1 ? args[1].toNumber() : 0, buffer);
            if (out.data() == buffer.data() || args[0].isString) return ExprOperand::ofText(out);
            buffer.assign(out);
            return ExprOperand::ofText(buffer);
        }
        case ExprFunction::Numeric:
            return ExprOperand::ofNumber(
                !args[0].isString || parseExprNumber(args[0].text).has_value() ? 1 : 0);
    }
    return ExprOperand::ofNumber(0);
}

}  // namespace cdz
