#include "app/engine/browse/StepLocator.h"

#include <QChar>

#include "app/engine/browse/CodePoints.h"
#include "runtime/text/SortKey.h"
#include "runtime/text/Unicode.h"

namespace cdz {

namespace {

// The first character of the text, or 0.
char32_t firstOf(std::string_view text) {
    const std::u32string chars = toCodePoints(text.substr(0, 4));
    return chars.empty() ? 0 : chars.front();
}

bool printable(std::string_view typed) {
    const char32_t c = firstOf(typed);
    return c != 0 && QChar::isPrint(c);
}

}  // namespace

bool StepLocator::sameFirstLetter(std::string_view typed, std::string_view key) const {
    const char32_t a = firstOf(typed), b = firstOf(key);
    if (a == 0 || b == 0) return false;
    // A case-blind key files "É" with "E", so a step goes on through both.
    if (collation_.noCase()) return sortPrefix(toUtf8(a)) == sortPrefix(toUtf8(b));
    return toUpper(toUtf8(a)) == toUpper(toUtf8(b));
}

StepLocator::Action StepLocator::onKey(std::string_view typed,
                                       std::string_view highlightedKey) const {
    if (!printable(typed)) return Action::Ignore;
    return sameFirstLetter(typed, highlightedKey) ? Action::StepDown : Action::Locate;
}

StepLocator::Action StepLocator::afterStep(std::string_view typed,
                                           std::string_view highlightedKey) const {
    if (!printable(typed)) return Action::Ignore;
    return sameFirstLetter(typed, highlightedKey) ? Action::Stay : Action::Locate;
}

std::string StepLocator::locateValue(std::string_view typed) const {
    const std::string c = toUtf8(firstOf(typed));
    return collation_.noCase() ? c : toUpper(c);
}

}  // namespace cdz
