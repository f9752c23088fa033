#pragma once
// The twelve media names the program puts into an empty `Media` file, in that order, as the
// 20-character media fields hold them.
#include <array>
#include <string_view>

namespace cdz::gen {

const std::array<std::string_view, 12>& mediaNames();

}  // namespace cdz::gen
