#include "platform/containers/raw_geometry.h"

#include <array>

#include "boot_sector.h"

namespace platform::containers {
namespace {

struct KnownSize {
    uint64_t bytes;
    SectorGeometry geometry;
};

// The PC floppies, 160 KB to 2.88 MB, all of 512-byte sectors.
constexpr std::array<KnownSize, 8> kKnownSizes{{
    {163840, {40, 1, 8, 512}},
    {184320, {40, 1, 9, 512}},
    {327680, {40, 2, 8, 512}},
    {368640, {40, 2, 9, 512}},
    {737280, {80, 2, 9, 512}},
    {1228800, {80, 2, 15, 512}},
    {1474560, {80, 2, 18, 512}},
    {2949120, {80, 2, 36, 512}},
}};

SectorGeometry fromBootSector(std::span<const uint8_t> image) {
    if (image.size() < orva::boot::kSectorBytes) return {};
    SectorGeometry g;
    g.bytesPerSector = orva::load16(image, orva::boot::bytesPerSector.offset);
    g.sectorsPerTrack = orva::load16(image, orva::boot::sectorsPerTrack.offset);
    g.heads = orva::load16(image, orva::boot::heads.offset);
    bool sizeOk = false;
    for (uint32_t size = 128; size <= 8192; size *= 2) sizeOk = sizeOk || g.bytesPerSector == size;
    if (!sizeOk || g.sectorsPerTrack == 0 || g.sectorsPerTrack > 255 || g.heads == 0 || g.heads > 2)
        return {};
    const uint64_t trackBytes = uint64_t{g.sectorsPerTrack} * g.heads * g.bytesPerSector;
    if (image.size() % trackBytes != 0 || image.size() / trackBytes > 255) return {};
    g.cylinders = static_cast<uint32_t>(image.size() / trackBytes);
    return g;
}

}  // namespace

SectorGeometry rawGeometry(std::span<const uint8_t> image) {
    if (const SectorGeometry g = fromBootSector(image); g.known()) return g;
    for (const KnownSize& k : kKnownSizes) {
        if (k.bytes == image.size()) return k.geometry;
    }
    return {};
}

SectorImage rawSectorImage(std::vector<uint8_t> bytes) {
    SectorImage out;
    out.geometry = rawGeometry(bytes);
    out.bytes = std::move(bytes);
    out.states.assign(out.geometry.sectorCount(), SectorState::Normal);
    return out;
}

}  // namespace platform::containers
