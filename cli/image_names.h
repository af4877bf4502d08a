#pragma once
// Host names that become names inside the image.
#include <string>
#include <string_view>

namespace cli {

// Why a host name cannot be stored as the name of an image entry; empty when it can.
std::string imageNameProblem(std::string_view name);

}  // namespace cli
