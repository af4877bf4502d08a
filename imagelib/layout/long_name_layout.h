#pragma once
// Where the 13 UTF-16 characters of a long-name slot sit, in name order.
#include <array>
#include <cstddef>

namespace orva {

inline constexpr int kCharsPerPart = 13;
inline constexpr std::array<size_t, kCharsPerPart> kPartCharOffsets{1, 3, 5, 7, 9, 14, 16, 18, 20, 22, 24, 28, 30};

}  // namespace orva
