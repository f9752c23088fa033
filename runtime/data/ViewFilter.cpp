#include "runtime/data/ViewFilter.h"

#include "runtime/data/FilterTranslator.h"
#include "runtime/data/RecordBindings.h"

namespace cdz {
namespace {

bool sameAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto up = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
        if (up(a[i]) != up(b[i])) return false;
    }
    return true;
}

}  // namespace

bool ViewFilter::apply(View& view, std::string_view text, const Bindings& bindings) {
    return apply(view, text, bindings, SqlFilter{});
}

bool ViewFilter::apply(View& view, std::string_view text, const Bindings& bindings,
                       const SqlFilter& narrowing) {
    error_ = {};
    pushedDown_ = exact_ = false;
    if (clip(text).empty()) {
        pushedDown_ = exact_ = !narrowing.where.empty();
        return accepted(view, view.setFilter({}, narrowing));
    }
    auto expr = std::make_shared<Expression>();
    if (!expr->compile(text, bindings)) {
        error_ = expr->error();
        view.refuseFilter("the filter does not compile: " + error_.message);
        return false;
    }
    // A name is a column for SQLite only when it is written as the field's label and bound to
    // the view's own buffer, never to a variable that happens to share a name.
    auto columns = [&](std::string_view name) -> const FieldDesc* {
        void* record = nullptr;
        const FieldDesc* f = view.column(name, &record);
        if (!f || !sameAscii(f->label, name) ||
            !RecordBindings::boundTo(bindings, name, *f, record)) {
            return nullptr;
        }
        return f;
    };
    auto pushed = FilterTranslator::translate(
        *expr->tree(), columns, view.database().has(StorageFeature::OwnCaseFunctions));
    if (!narrowing.where.empty()) {
        if (pushed.filter.where.empty()) {
            pushed.filter = narrowing;
        } else {
            pushed.filter.where = "(" + narrowing.where + ") AND (" + pushed.filter.where + ")";
            SqlValues params = narrowing.params;
            params.insert(params.end(), pushed.filter.params.begin(), pushed.filter.params.end());
            pushed.filter.params = std::move(params);
        }
    }
    pushedDown_ = !pushed.filter.where.empty();
    exact_ = pushed.exact;
    // A push-down that says all the filter says is left to SQLite alone, which then reads no
    // more rows than are asked for; otherwise every record SQLite lets through is still tested.
    std::function<bool()> test;
    if (!exact_) test = [expr] { return expr->test(); };
    return accepted(view, view.setFilter(std::move(test), std::move(pushed.filter)));
}

bool ViewFilter::accepted(View& view, int code) {
    if (code == 0) return true;
    error_.position = 0;
    error_.message = view.database().error().driverText;
    return false;
}

}  // namespace cdz
