#include "runtime/filemgr/FileSalvageSummary.h"

#include <charconv>

namespace cdz {

namespace {

constexpr std::string_view kSaved = "saved ";
constexpr std::string_view kLost = " lost ";
constexpr std::string_view kKept = " kept ";
constexpr std::string_view kUnknown = "unknown";

// Reads a count at the front of `text` and moves past it.
bool takeCount(std::string_view& text, int64_t* n) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), *n);
    if (ec != std::errc{} || *n < 0) return false;
    text.remove_prefix(static_cast<size_t>(end - text.data()));
    return true;
}

bool takeWord(std::string_view& text, std::string_view word) {
    if (!text.starts_with(word)) return false;
    text.remove_prefix(word.size());
    return true;
}

std::optional<SalvageSummary> readLine(std::string_view line) {
    SalvageSummary s;
    if (!takeWord(line, kSaved) || !takeCount(line, &s.saved) || !takeWord(line, kLost)) {
        return std::nullopt;
    }
    if (!takeWord(line, kUnknown) && !takeCount(line, &s.lost)) return std::nullopt;
    if (!takeWord(line, kKept) || line.empty()) return std::nullopt;
    s.keptAs = std::string(line);
    return s;
}

}  // namespace

std::string summaryLine(const SalvageReport& report) {
    const int64_t lost = report.lost();
    return std::string(kSaved) + std::to_string(report.saved()) + std::string(kLost) +
           (lost < 0 ? std::string(kUnknown) : std::to_string(lost)) + std::string(kKept) +
           report.keptAs.string();
}

std::optional<SalvageSummary> readSummary(std::string_view output) {
    std::optional<SalvageSummary> last;
    while (!output.empty()) {
        const auto nl = output.find('\n');
        std::string_view line = output.substr(0, nl);
        output = nl == std::string_view::npos ? std::string_view{} : output.substr(nl + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (auto s = readLine(line)) last = std::move(s);
    }
    return last;
}

}  // namespace cdz
