#pragma once
// Puts a value into a filter text in place of a name, as a host does before handing a stored
// filter to a view: the value becomes a quoted constant, so the text keeps its meaning whatever
// the value holds.
#include <string>
#include <string_view>

#include "querykit/querykit.h"

namespace qk {

class QUERYKIT_API NameSubstitution {
public:
    // `text` with the first whole occurrence of the clipped `name` (ignoring case) replaced by
    // the clipped value quoted, a quote inside it doubled. A name is whole when the characters
    // beside it are not name characters (letters, digits, "_", ":"); names inside quoted
    // constants of the text are not names. The text unchanged when there is none.
    static std::string apply(std::string_view text, std::string_view name, std::string_view value);

    // The value as a quoted constant of the expression language.
    static std::string quoted(std::string_view value);
};

}  // namespace qk
