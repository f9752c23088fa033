#pragma once
// Turns what it can of a parsed filter into a condition SQLite applies first (View's push-down),
// with every constant a bound parameter. The condition is implied by the filter: a record the
// filter accepts always meets it, so the view may let SQLite skip the others and still test
// each remaining record with the compiled filter. It is `exact` when it says no less than the
// filter itself.
//
// Translated: comparisons of record texts with texts and of record numbers with numbers (texts
// ignoring trailing blanks, in code-point order, as the expression language compares them);
// AND, OR, NOT; UPPER, LOWER and CLIP; SUB with a constant start and length; INSTRING of a
// constant with steps of 1 from 1. Anything else (variables, arithmetic, mixed text and number
// comparisons, other functions) stays with the compiled filter alone.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/data/FieldDesc.h"
#include "runtime/data/View.h"
#include "runtime/expr/ExprAst.h"

namespace cdz {

class FilterTranslator {
public:
    // The record field a name of the filter stands for, or null when it is no field.
    using ColumnLookup = std::function<const FieldDesc*(std::string_view name)>;

    struct Result {
        SqlFilter filter;  // empty `where` when nothing could be pushed down
        bool exact = false;
    };

    // `caseFunctions`: whether the storage engine runs the program's own UPPER and LOWER (a
    // server does not; conditions over them then stay with the compiled filter).
    static Result translate(const ExprNode& root, const ColumnLookup& columns,
                            bool caseFunctions = true);
};

}  // namespace cdz
