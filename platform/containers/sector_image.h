#pragma once
// A floppy as its sectors in device order (cylinder, then head, then sector), each with what is known of it.
// Every container format decodes into this and encodes from it.
#include <cstdint>
#include <span>
#include <vector>

namespace platform::containers {

// Nothing a floppy holds comes near this; a container that claims more is refused before anything is
// allocated for it.
inline constexpr uint64_t kMaxImageBytes = 16u << 20;

// What a sector that could not be read at all is filled with, so that it stands out in a hex dump.
inline constexpr uint8_t kMissingSectorFill = 0xEE;

struct SectorGeometry {
    uint32_t cylinders = 0;
    uint32_t heads = 0;
    uint32_t sectorsPerTrack = 0;
    uint32_t bytesPerSector = 0;

    uint64_t sectorCount() const { return uint64_t{cylinders} * heads * sectorsPerTrack; }
    uint64_t byteCount() const { return sectorCount() * bytesPerSector; }
    bool known() const { return sectorCount() != 0 && bytesPerSector != 0; }
    bool operator==(const SectorGeometry&) const = default;
};

enum class SectorState : uint8_t {
    Normal,
    DataError,    // read with a CRC error: the bytes are the best the reader got
    Unavailable,  // no data at all; the bytes are kMissingSectorFill
};

struct SectorImage {
    // Unknown (all zero) for a raw image whose boot sector and size name no geometry: the bytes still serve.
    SectorGeometry geometry;
    uint8_t firstSectorId = 1;  // the number of a track's first sector (1 on every PC floppy)
    std::vector<uint8_t> bytes;
    std::vector<SectorState> states;  // one per sector when the geometry is known, else empty

    // sector counts from 0 for the track's first sector.
    size_t sectorIndex(uint32_t cylinder, uint32_t head, uint32_t sector) const {
        return (size_t{cylinder} * geometry.heads + head) * geometry.sectorsPerTrack + sector;
    }
    std::span<uint8_t> sector(size_t index) {
        return std::span(bytes).subspan(index * geometry.bytesPerSector, geometry.bytesPerSector);
    }
    std::span<const uint8_t> sector(size_t index) const {
        return std::span(bytes).subspan(index * geometry.bytesPerSector, geometry.bytesPerSector);
    }
};

}  // namespace platform::containers
