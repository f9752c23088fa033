#pragma once
// Text from outside the program (an online service's answer, a disc's CD-Text) made fit to show
// and store: control characters (escapes, line breaks, tabs) become blanks, blanks are cut from
// both ends, and the text is cut to what a field can hold.
#include <string>
#include <string_view>

namespace cdz {

// At most `mostChars` characters of `utf8`, without control characters or outer blanks.
std::string printable(std::string_view utf8, int mostChars);

}  // namespace cdz
