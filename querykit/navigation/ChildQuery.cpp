#include "querykit/navigation/ChildQuery.h"

#include "querykit/qwizard/Messages.h"
#include "runtime/data/ViewFilter.h"
#include "runtime/text/Text.h"

namespace qk {
namespace {}  // namespace

std::string ChildQuery::combined(std::string_view a, std::string_view b) {
    const std::string_view left = cdz::clip(a);
    const std::string_view right = cdz::clip(b);
    if (left.empty()) return std::string(right);
    if (right.empty()) return std::string(left);
    return "(" + std::string(left) + ") AND (" + std::string(right) + ")";
}

ChildQuery::Outcome ChildQuery::run(cdz::View& child, int key, std::string_view a,
                                    std::string_view b) {
    if (child.setOrder(key) != 0) return refused(child);
    cdz::ViewFilter filter;
    if (!filter.apply(child, combined(a, b), bindings_)) return refused(child);
    if (child.setStart() != 0) return refused(child);
    const int code = child.next();
    if (code != 0 && code != cdz::err::kRecordNotAvailable) return refused(child);
    const Outcome outcome = code == 0 ? Outcome::Found : Outcome::None;
    static_cast<void>(child.setFilter({}));
    static_cast<void>(child.setStart());
    return outcome;
}

ChildQuery::Outcome ChildQuery::refused(cdz::View& child) {
    // The message words the error the view is left with, before anything else replaces it.
    const cdz::ErrorState error = child.database().error();
    messages_.warning(cdz::Warning::ViewOpenError, error);
    static_cast<void>(child.setFilter({}));
    static_cast<void>(child.setStart());
    return Outcome::Refused;
}

}  // namespace qk
