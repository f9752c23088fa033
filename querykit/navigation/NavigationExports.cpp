// The entry points that use a filter text without the wizard: parse, child query and
// navigation.
#include <memory>

#include "querykit/navigation/ChildQuery.h"
#include "querykit/navigation/NameSubstitution.h"
#include "querykit/navigation/NavigationWindow.h"
#include "querykit/navigation/QueryNavigator.h"
#include "querykit/querykit.h"
#include "querykit/qwizard/LibraryState.h"
#include "runtime/data/View.h"
#include "runtime/expr/Bindings.h"
#include "runtime/expr/Expression.h"
#include "runtime/text/Text.h"

namespace {
constexpr std::string_view kNavigationFile = "Current Navigation File";
constexpr std::string_view kResultTitle = "Query Navigation Result";

// The host's names, or none at all.
const cdz::Bindings& bindings() {
    static const cdz::Bindings none;
    const cdz::Bindings* given = qk::libraryState().bindings;
    return given ? *given : none;
}

void sayNothingFound(qk::NavDirection direction) {
    qk::Messages& messages = qk::libraryState().messages;
    switch (direction) {
        case qk::NavDirection::Previous:
            messages.show("Previous Query Result", "No previous records meet the query criteria.");
            return;
        case qk::NavDirection::Next:
            messages.show("Next Query Result", "No forward records meet the query criteria.");
            return;
        case qk::NavDirection::First:
        case qk::NavDirection::Last:
            messages.show(kResultTitle, "No records meet the current query criteria.");
            return;
    }
}

// The test of each record: the child query with both filters, or the filter itself. A filter
// that does not compile gives no test: it would match nothing, which the user is told at once
// instead of after reading the whole view.
qk::QueryNavigator::Test recordTest(std::string_view filter, cdz::View* child,
                                    std::optional<int> childKey,
                                    std::optional<std::string_view> childFilter) {
    using Verdict = qk::QueryNavigator::Verdict;
    if (child) {
        auto query = std::make_shared<qk::ChildQuery>(bindings(), qk::libraryState().messages);
        return [query, child, key = childKey.value_or(-1),
                a = std::string(childFilter.value_or("")), b = std::string(filter)] {
            switch (query->run(*child, key, a, b)) {
                case qk::ChildQuery::Outcome::Found:
                    return Verdict::Match;
                case qk::ChildQuery::Outcome::None:
                    return Verdict::NoMatch;
                case qk::ChildQuery::Outcome::Refused:
                    break;
            }
            return Verdict::Failed;
        };
    }
    if (cdz::clip(filter).empty()) return [] { return Verdict::Match; };
    auto expression = std::make_shared<cdz::Expression>();
    if (!expression->compile(filter, bindings())) {
        const cdz::ExprError& e = expression->error();
        qk::libraryState().messages.show(kResultTitle, "The query criteria cannot be evaluated (" +
                                                           e.message + " at character " +
                                                           std::to_string(e.position) +
                                                           "), so no records meet them.");
        return nullptr;
    }
    return [expression] { return expression->test() ? Verdict::Match : Verdict::NoMatch; };
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

uint8_t XR_QWNAVIGATE(cdz::View& view, std::optional<std::string_view> position,
                      std::string_view filter, uint8_t direction, cdz::View* child,
                      std::optional<int> childKey, std::optional<std::string_view> childFilter) {
    if (direction < 1 || direction > 4) return 0;
    const auto way = static_cast<qk::NavDirection>(direction);
    const std::string start = position && !cdz::clip(*position).empty()
                                  ? std::string(*position)
                                  : std::string(view.position());
    qk::QueryNavigator::Test test = recordTest(filter, child, childKey, childFilter);
    const bool testable = static_cast<bool>(test);
    qk::QueryNavigator navigator(view, way, start, std::move(test));
    if (!testable) {
        navigator.settle();
        return 0;
    }
    const qk::NavigationWindow::Ending ending = qk::NavigationWindow(navigator, way).run();
    const cdz::ErrorState readError = navigator.readError();
    navigator.settle();
    switch (ending) {
        case qk::NavigationWindow::Ending::Found:
            return 1;
        case qk::NavigationWindow::Ending::EndOfView:
            sayNothingFound(way);
            break;
        case qk::NavigationWindow::Ending::Failed:
            if (readError.code != 0) {
                qk::libraryState().messages.warning(cdz::Warning::RecordRetrievalError, readError,
                                                    kNavigationFile);
            }
            break;
        case qk::NavigationWindow::Ending::Cancelled:
            break;
    }
    return 0;
}
