#pragma once
// Small real JPEG pictures for generated albums' covers, each drawn from a seed so that albums
// differ and the same seed gives the same picture.
#include <cstdint>
#include <string>

namespace cdz::gen {

// A 96 x 96 JPEG: two colours and a band, a few kilobytes.
std::string coverJpeg(uint64_t seed);

}  // namespace cdz::gen
