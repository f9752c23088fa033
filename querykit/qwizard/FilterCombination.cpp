#include "querykit/qwizard/FilterCombination.h"

#include "runtime/text/Text.h"

namespace qk {

namespace {

// "(" a ") " joiner " (" b ")", or the side that is not blank alone.
std::string joined(std::string_view a, std::string_view joiner, std::string_view b) {
    if (a.empty()) return std::string(b);
    if (b.empty()) return std::string(a);
    return "(" + std::string(a) + ") " + std::string(joiner) + " (" + std::string(b) + ")";
}

}  // namespace

CombinedFilter FilterCombination::combine(std::string_view previous, std::string_view added,
                                          std::string_view joiner, int filterWidth,
                                          std::string_view previousDescription,
                                          std::string_view addedDescription, int descriptionWidth) {
    const std::string_view p = cdz::clip(previous);
    const std::string_view n = cdz::clip(added);
    CombinedFilter out;
    const bool bothGiven = !p.empty() && !n.empty();
    if (bothGiven && filterWidth < cdz::charCount(p) + cdz::charCount(n) + 9) return out;
    out.fits = true;
    out.filter = joined(p, joiner, n);
    const std::string_view d = cdz::clip(previousDescription);
    const std::string_view e = cdz::clip(addedDescription);
    if (!d.empty() && !e.empty() && descriptionWidth < cdz::charCount(d) + cdz::charCount(e) + 5) {
        out.description = kMultiple;
    } else {
        out.description = joined(d, joiner, e);
    }
    return out;
}

}  // namespace qk
