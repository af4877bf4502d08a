#pragma once
// Creating one host folder.
#include <string>

namespace platform {

// Creates the folder (its parent must exist); false when it cannot be made or something is already there.
bool makeFolder(const std::string& path);

}  // namespace platform
