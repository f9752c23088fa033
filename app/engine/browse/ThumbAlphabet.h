#pragma once
// The characters a key distribution counts in, chosen from a sort order's character classes
// among the codes 1 to 255 (Latin-1) in code order; a character's digit is its 1-based place.
// For a key that files accented letters with their base letters, those letters are left out:
// the distribution reads them as their base letters.
#include <array>
#include <cstdint>
#include <string>

namespace cdz {

// Character classes of a sort order, summed.
enum ThumbCharClass : int {
    kThumbLetters = 1,
    kThumbPunctuation = 2,  // 30 marks and the space
    kThumbDigits = 4,
    kThumbCaseSensitive = 8,  // lower-case letters too; without it letters count in upper case
};

class ThumbAlphabet {
public:
    explicit ThumbAlphabet(int classes, bool baseLettersOnly = false);

    int size() const { return static_cast<int>(chars_.size()); }
    // 1 to size(); 0 for a character outside the alphabet.
    int digitOf(char32_t c) const { return c < digits_.size() ? digits_[c] : 0; }
    // The place of any character among the digits: its digit, or for one outside the
    // alphabet the number of the alphabet's characters before it in code order (size() for
    // everything past Latin-1), so that a key of other scripts still counts as high as it sorts.
    int placeOf(char32_t c) const { return c < places_.size() ? places_[c] : size(); }
    // The character of digit 1 to size().
    char32_t at(int digit) const { return chars_[static_cast<size_t>(digit - 1)]; }
    const std::u32string& chars() const { return chars_; }

private:
    std::u32string chars_;
    std::array<uint8_t, 256> digits_{};
    std::array<uint8_t, 256> places_{};
};

}  // namespace cdz
