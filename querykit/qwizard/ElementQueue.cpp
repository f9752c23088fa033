#include "querykit/qwizard/ElementQueue.h"

namespace qk {

std::size_t ElementQueue::add(QueryElement element) {
    element.conjunction.clear();
    elements_.push_back(std::move(element));
    return elements_.size() - 1;
}

void ElementQueue::change(std::size_t i, QueryElement element) {
    element.conjunction = elements_.at(i).conjunction;
    elements_.at(i) = std::move(element);
}

void ElementQueue::remove(std::size_t i) {
    if (i >= elements_.size()) return;
    const bool wasLast = i + 1 == elements_.size();
    elements_.erase(elements_.begin() + static_cast<std::ptrdiff_t>(i));
    if (wasLast && !elements_.empty()) elements_.back().conjunction.clear();
}

void ElementQueue::setLastConjunction(std::string_view conjunction) {
    if (!elements_.empty()) elements_.back().conjunction = conjunction;
}

void ElementQueue::clearLastConjunction() {
    if (!elements_.empty()) elements_.back().conjunction.clear();
}

void ElementQueue::toggleConjunction(std::size_t i) {
    std::string& c = elements_.at(i).conjunction;
    if (c == "AND") {
        c = "OR";
    } else if (c == "OR") {
        c = "AND";
    }
}

}  // namespace qk
