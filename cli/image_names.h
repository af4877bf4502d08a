#pragma once
// Host names that become names inside the image.
#include <string>
#include <string_view>

namespace cli {

// The longest long name a directory entry group holds.
inline constexpr size_t kMaxImageNameUnits = 156;

// Why a host name cannot be stored as the name of an image entry; empty when it can.
std::string imageNameProblem(std::string_view name);

}  // namespace cli
