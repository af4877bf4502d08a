#include "damage/map_file.h"

#include "platform/host_errors.h"

namespace damage {

std::optional<platform::containers::Mapfile> readMapFile(const std::string& path, std::string& error) {
    auto read = platform::containers::readMapfile(path);
    if (!read.map)
        error = read.code != 0 ? platform::errorText(read.code) : "not a ddrescue map: " + read.error;
    return std::move(read.map);
}

}  // namespace damage
