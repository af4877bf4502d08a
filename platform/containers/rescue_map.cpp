#include "platform/containers/rescue_map.h"

#include <cstdio>

namespace platform::containers {
namespace {

std::string hex(uint64_t v) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%08llX", static_cast<unsigned long long>(v));
    return text;
}

}  // namespace

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
    std::string text = "# Mapfile. Created by " + commandLine + "\n";
    text += "# current_pos  current_status  current_pass\n";
    text += hex(0) + "     +               1\n";
    text += "#      pos        size  status\n";
    const uint64_t sectorBytes = image.geometry.bytesPerSector;
    size_t i = 0;
    while (i < image.states.size()) {
        const bool bad = image.states[i] != SectorState::Normal;
        size_t end = i + 1;
        while (end < image.states.size() && (image.states[end] != SectorState::Normal) == bad) ++end;
        text += hex(i * sectorBytes) + "  " + hex((end - i) * sectorBytes) + "  " + (bad ? "-" : "+") + "\n";
        i = end;
    }
    return text;
}

}  // namespace platform::containers
