#pragma once
// The conditions of the query being designed, in order, and the edits the wizard makes on
// them. The joining words stay consistent: the last condition never carries one.
#include <cstddef>
#include <string_view>
#include <vector>

#include "querykit/qwizard/QueryElement.h"

namespace qk {

class QUERYKIT_API ElementQueue {
public:
    const std::vector<QueryElement>& elements() const { return elements_; }
    std::size_t size() const { return elements_.size(); }
    bool empty() const { return elements_.empty(); }
    const QueryElement& at(std::size_t i) const { return elements_.at(i); }

    // Appends a condition with no joining word; returns its index.
    std::size_t add(QueryElement element);
    // Rewrites condition i, keeping its joining word.
    void change(std::size_t i, QueryElement element);
    // Removes condition i; when it was the last, the new last one loses its joining word.
    void remove(std::size_t i);
    // Sets the last condition's joining word ("AND" or "OR").
    void setLastConjunction(std::string_view conjunction);
    // Clears the last condition's joining word (an AND or OR given up).
    void clearLastConjunction();
    // Switches condition i between AND and OR; a condition without one keeps none.
    void toggleConjunction(std::size_t i);
    // Replaces every condition (a saved query loaded).
    void assign(std::vector<QueryElement> elements) { elements_ = std::move(elements); }

private:
    std::vector<QueryElement> elements_;
};

}  // namespace qk
