#pragma once
// UTF-8 text as code points and back, for the engine's work character by character (so that
// no character is ever cut between its bytes).
#include <string>
#include <string_view>

namespace cdz {

// Invalid bytes become U+FFFD.
std::u32string toCodePoints(std::string_view utf8);
std::string toUtf8(std::u32string_view codePoints);
std::string toUtf8(char32_t codePoint);

}  // namespace cdz
