#pragma once
// A filter text compiled against the records of a view and set as the view's filter: the view
// tests every record it reads with the compiled expression, and SQLite first applies whatever
// part of the text FilterTranslator can push down, so a filter over a large file does not go
// through every record in the program.
#include <memory>
#include <string_view>

#include "runtime/data/View.h"
#include "runtime/expr/Bindings.h"
#include "runtime/expr/Expression.h"

namespace cdz {

class ViewFilter {
public:
    // Compiles `text` against `bindings`, which hold the view's fields (RecordBindings) and
    // any variables, and sets it on the view. A text that does not compile, or a filter the
    // view refuses, returns false (error() says where and why) and leaves the view reading
    // nothing until a filter is applied again. An empty text clears the filter.
    bool apply(View& view, std::string_view text, const Bindings& bindings);
    // The same with a further condition the caller has already made exact (a report's
    // starts-with range on a folded column): records must meet both. The narrowing alone
    // applies when the text is empty.
    bool apply(View& view, std::string_view text, const Bindings& bindings,
               const SqlFilter& narrowing);
    const ExprError& error() const { return error_; }
    // What reached SQLite: nothing, part of the filter, or all of it.
    bool pushedDown() const { return pushedDown_; }
    bool exact() const { return exact_; }

private:
    // True for a set the view took; else error() takes the view's reason.
    bool accepted(View& view, int code);

    ExprError error_;
    bool pushedDown_ = false;
    bool exact_ = false;
};

}  // namespace cdz
