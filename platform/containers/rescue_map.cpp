#include "platform/containers/rescue_map.h"

#include "platform/containers/mapfile.h"

namespace platform::containers {

std::vector<BadSector> badSectors(const SectorImage& image) {
    std::vector<BadSector> out;
    const SectorGeometry& g = image.geometry;
    for (size_t i = 0; i < image.states.size(); ++i) {
        if (image.states[i] == SectorState::Normal) continue;
        const uint32_t track = static_cast<uint32_t>(i / g.sectorsPerTrack);
        out.push_back({track / g.heads, track % g.heads,
                       static_cast<uint32_t>(i % g.sectorsPerTrack) + image.firstSectorId, image.states[i]});
    }
    return out;
}

std::string rescueMapText(const SectorImage& image, const std::string& commandLine) {
    Mapfile map;
    map.currentStatus = kFinished;
    const uint64_t sectorBytes = image.geometry.bytesPerSector;
    for (size_t i = 0; i < image.states.size(); ++i) {
        const bool bad = image.states[i] != SectorState::Normal;
        map.blocks.push_back({i * sectorBytes, sectorBytes, bad ? kBadSector : kFinished});
    }
    return mapfileText(map, commandLine);
}

}  // namespace platform::containers
