#pragma once
// Whether any record of a child view meets two filters at once: how a host asks "has this
// customer an order over 100?" with the customer's own filter and the orders' filter.
#include <string>
#include <string_view>

#include "querykit/querykit.h"

namespace cdz {
class Bindings;
class View;
}  // namespace cdz

namespace qk {

class Messages;

class QUERYKIT_API ChildQuery {
public:
    enum class Outcome { Found, None, Refused };

    ChildQuery(const cdz::Bindings& bindings, Messages& messages)
        : bindings_(bindings), messages_(messages) {}

    // "(" a ") AND (" b ")" of the clipped texts; a blank side is left out, both blank give a
    // blank text (every record).
    static std::string combined(std::string_view a, std::string_view b);

    // Orders the child by `key`, filters it by both texts and reads its first record (left in
    // the child's buffers). An order, filter or read the view refuses shows the standard view
    // message and is Refused, never Found. The child is left unfiltered at its start, as a
    // view closed after use.
    Outcome run(cdz::View& child, int key, std::string_view a, std::string_view b);

private:
    Outcome refused(cdz::View& child);

    const cdz::Bindings& bindings_;
    Messages& messages_;
};

}  // namespace qk
