#pragma once
// The values the writer process stores: each one recognisable whole, so a torn write shows.
#include <string>

namespace cdz::test {

inline std::string writerValue(long i, int padding) {
    const int length = padding + static_cast<int>(i % 7) * 97;
    return std::to_string(i) + ":" + std::string(static_cast<size_t>(length), char('a' + i % 26)) +
           ":end";
}

}  // namespace cdz::test
