#pragma once
// A view's order read into its terms: the components of a key of the primary file, or an order
// list ("UPPER(MUS:Title), -MUS:Artist") naming fields of any file of the view, "-" before a
// label for descending, UPPER()/LOWER() around it to ignore case.
#include <string>
#include <string_view>
#include <vector>

#include "runtime/data/KeysetQuery.h"
#include "runtime/data/ViewSql.h"

namespace cdz {

// One term of a view's order: the field (a file of the view, its column), whether it compares
// by its case-folded copy, and the value as the view's statements order by it.
struct ViewTerm {
    int source;
    int column;
    bool folded;
    OrderTerm order;
};

// The terms of key `key` of the view's primary file; none for a key below 0 (record order).
// The key must be one of the file's.
std::vector<ViewTerm> keyOrder(const ViewSql& sql, int key);
// The terms of an order list; false with the item in `bad` when it names no field of the view
// or a memo.
bool parseOrder(std::string_view list, const ViewSql& sql, std::vector<ViewTerm>* terms,
                std::string* bad);

}  // namespace cdz
