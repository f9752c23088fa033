#pragma once
// UTF-8 helpers for fixed-width text fields, whose widths count characters, not bytes.
#include <cstddef>
#include <string>
#include <string_view>

namespace cdz::gen {

// Number of characters (code points) of well-formed UTF-8 text.
std::size_t charCount(std::string_view text);
// The text cut to at most maxChars characters, never inside a character, without trailing
// blanks (fields are stored clipped).
std::string cutToChars(std::string_view text, std::size_t maxChars);
// Cuts text in place as cutToChars does.
void cutInPlace(std::string& text, std::size_t maxChars);

}  // namespace cdz::gen
