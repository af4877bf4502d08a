#pragma once
// A ddrescue map read from a host file.
#include <optional>
#include <string>

#include "platform/containers/mapfile.h"

namespace damage {

// Nothing, with why in error, when the file cannot be read or holds no map.
std::optional<platform::containers::Mapfile> readMapFile(const std::string& path, std::string& error);

}  // namespace damage
