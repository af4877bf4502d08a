#pragma once
// DiskGeometry as the platform passes it: 24 bytes, little-endian, no padding.
#include <span>

#include "layout_block.h"
#include "orva.h"

namespace converter {

struct DiskGeometryBytes : LayoutBlock<24> {
    static constexpr Field CylindersLow{0, 4};
    static constexpr Field CylindersHigh{4, 4};
    static constexpr Field MediaType{8, 4};
    static constexpr Field TracksPerCylinder{12, 4};
    static constexpr Field SectorsPerTrack{16, 4};
    static constexpr Field BytesPerSector{20, 4};
};
static_assert(sizeof(DiskGeometryBytes) == sizeof(DiskGeometry));
static_assert(tiles(std::array{DiskGeometryBytes::CylindersLow, DiskGeometryBytes::CylindersHigh,
                               DiskGeometryBytes::MediaType, DiskGeometryBytes::TracksPerCylinder,
                               DiskGeometryBytes::SectorsPerTrack, DiskGeometryBytes::BytesPerSector},
                    24));

// bytes holds at least 24.
inline DiskGeometry decodeGeometry(std::span<const uint8_t> bytes) {
    auto at = [&](Field f) { return orva::loadLe(bytes, f.offset, f.width); };
    const uint64_t cylinders =
        at(DiskGeometryBytes::CylindersLow) | uint64_t{at(DiskGeometryBytes::CylindersHigh)} << 32;
    return {static_cast<int64_t>(cylinders), static_cast<int32_t>(at(DiskGeometryBytes::MediaType)),
            at(DiskGeometryBytes::TracksPerCylinder), at(DiskGeometryBytes::SectorsPerTrack),
            at(DiskGeometryBytes::BytesPerSector)};
}

inline void encodeGeometry(const DiskGeometry& g, std::span<uint8_t> bytes) {
    auto put = [&](Field f, uint32_t value) { orva::storeLe(bytes, f.offset, f.width, value); };
    const auto cylinders = static_cast<uint64_t>(g.cylinders);
    put(DiskGeometryBytes::CylindersLow, static_cast<uint32_t>(cylinders));
    put(DiskGeometryBytes::CylindersHigh, static_cast<uint32_t>(cylinders >> 32));
    put(DiskGeometryBytes::MediaType, static_cast<uint32_t>(g.mediaType));
    put(DiskGeometryBytes::TracksPerCylinder, g.tracksPerCylinder);
    put(DiskGeometryBytes::SectorsPerTrack, g.sectorsPerTrack);
    put(DiskGeometryBytes::BytesPerSector, g.bytesPerSector);
}

}  // namespace converter
