#include "sector_map.h"

#include <algorithm>
#include <cerrno>

#include "platform/containers/replace_file.h"

namespace converter::actions {

namespace containers = platform::containers;

SectorMap::SectorMap(uint32_t sectors, uint32_t bytesPerSector)
    : states_(sectors, containers::kNonTried), bytesPerSector_(bytesPerSector) {}

std::optional<SectorMap> SectorMap::fromMapfile(const containers::Mapfile& file, uint32_t sectors,
                                                uint32_t bytesPerSector, std::string& error) {
    const uint64_t mediumBytes = uint64_t{sectors} * bytesPerSector;
    if (!file.blocks.empty() && file.blocks.back().pos + file.blocks.back().size > mediumBytes) {
        error = "the map is of a larger medium";
        return std::nullopt;
    }
    SectorMap map(sectors, bytesPerSector);
    std::vector<bool> decided(sectors, false);
    for (uint32_t s = 0; s < sectors; ++s) map.states_[s] = containers::kFinished;
    uint64_t covered = 0;
    for (const containers::MapBlock& block : file.blocks) {
        covered = block.pos + block.size;
        if (block.status == containers::kFinished) continue;
        const auto first = static_cast<uint32_t>(block.pos / bytesPerSector);
        const auto last = static_cast<uint32_t>((block.pos + block.size - 1) / bytesPerSector);
        for (uint32_t s = first; s <= last; ++s) {
            if (decided[s]) continue;
            map.states_[s] = block.status;
            decided[s] = true;
        }
    }
    for (uint64_t s = covered / bytesPerSector; s < sectors; ++s) {
        if (!decided[s] && (s + 1) * bytesPerSector > covered) map.states_[s] = containers::kNonTried;
    }
    map.phase_ = file.currentStatus;
    map.pass_ = file.currentPass;
    map.position_ = static_cast<uint32_t>(std::min<uint64_t>(file.currentPos, mediumBytes) / bytesPerSector);
    return map;
}

containers::Mapfile SectorMap::toMapfile() const {
    containers::Mapfile file;
    file.currentPos = uint64_t{position_} * bytesPerSector_;
    file.currentStatus = phase_;
    file.currentPass = pass_;
    for (size_t s = 0; s < states_.size(); ++s)
        file.blocks.push_back({s * bytesPerSector_, bytesPerSector_, states_[s]});
    return file;
}

uint32_t SectorMap::count(char state) const {
    return static_cast<uint32_t>(std::count(states_.begin(), states_.end(), state));
}

void SectorMap::setPhase(char phase, uint32_t pass, uint32_t sector) {
    phase_ = phase;
    pass_ = pass;
    position_ = sector;
}

MapLoad loadSectorMap(const std::string& path, uint32_t sectors, uint32_t bytesPerSector) {
    MapLoad load;
    const containers::MapfileRead read = containers::readMapfile(path);
    if (!read.map) {
        if (read.code == ENOENT) return load;
        load.failed = true;
        load.code = read.code;
        load.error = read.error;
        return load;
    }
    load.map = SectorMap::fromMapfile(*read.map, sectors, bytesPerSector, load.error);
    load.failed = !load.map;
    return load;
}

bool saveSectorMap(const std::string& path, const SectorMap& map, const std::string& commandLine, int& code) {
    const std::string text = containers::mapfileText(map.toMapfile(), commandLine);
    const std::vector<uint8_t> bytes(text.begin(), text.end());
    return containers::replaceFile(path, bytes, code);
}

}  // namespace converter::actions
