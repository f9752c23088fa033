// The entry points that use a filter text without the wizard: parse and child query.
#include "querykit/querykit.h"
#include "querykit/qwizard/LibraryState.h"
#include "querykit/qwutil/ChildQuery.h"
#include "querykit/qwutil/NameSubstitution.h"
#include "runtime/expr/Bindings.h"

namespace {

// The host's names, or none at all.
const cdz::Bindings& bindings() {
    static const cdz::Bindings none;
    const cdz::Bindings* given = qk::libraryState().bindings;
    return given ? *given : none;
}

}  // namespace

void XR_QWPARSE(std::string_view name, std::string_view value, cdz::TextField& text) {
    text = qk::NameSubstitution::apply(text.view(), name, value);
}

uint8_t XR_CHILDQUERY(cdz::View& child, int key, std::string_view filterA,
                      std::string_view filterB) {
    qk::ChildQuery query(bindings(), qk::libraryState().messages);
    return query.run(child, key, filterA, filterB) == qk::ChildQuery::Outcome::Found ? 1 : 0;
}
