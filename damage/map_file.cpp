#include "damage/map_file.h"

#include <cerrno>
#include <vector>

#include "platform/host_errors.h"
#include "platform/host_file.h"

namespace damage {

std::optional<platform::containers::Mapfile> readMapFile(const std::string& path, std::string& error) {
    int code = 0;
    auto file = platform::openExclusive(path, platform::Access::ReadOnly, code);
    const auto size = file ? file->size() : std::nullopt;
    std::vector<uint8_t> bytes(size.value_or(0));
    if (!size || file->readAt(0, bytes) != static_cast<int64_t>(bytes.size())) {
        error = platform::errorText(code != 0 ? code : (errno != 0 ? errno : EIO));
        return std::nullopt;
    }
    auto parsed = platform::containers::parseMapfile(std::string(bytes.begin(), bytes.end()));
    if (!parsed.map) error = "not a ddrescue map: " + parsed.error;
    return parsed.map;
}

}  // namespace damage
