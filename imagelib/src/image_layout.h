#pragma once
// Where the areas of an image lie, derived from its boot sector and the geometry of its media.
#include <cstdint>
#include <optional>
#include <span>

namespace orva {

struct BootParams {
    uint32_t bytesPerSector = 0;
    uint32_t sectorsPerCluster = 0;
    uint32_t reservedSectors = 0;
    uint32_t fatCount = 0;
    uint32_t rootEntries = 0;
    uint8_t mediaByte = 0;
    uint32_t sectorsPerFat = 0;
    uint32_t sectorsPerTrack = 0;
    uint32_t heads = 0;

    static BootParams parse(std::span<const uint8_t> bootSector);
    bool operator==(const BootParams&) const = default;
};

struct ImageLayout {
    uint32_t bytesPerSector = 0;
    uint32_t sectorsPerCluster = 0;
    uint32_t fatCount = 0;
    uint32_t rootEntries = 0;
    uint32_t fatOffset = 0;  // bytes
    uint32_t fatBytes = 0;
    uint32_t rootDirSector = 0;
    int64_t clusterBase = 0;  // sectors; may lie before the image when the data area starts early
    // Cluster numbers 2 .. clusterLimit - 1 are valid: bounded by the geometry, by the entries the table
    // holds and by the values FAT12 can name (0xFF7 and above mark bad clusters and chain ends).
    uint32_t clusterLimit = 0;
    uint32_t imageBytes = 0;
    uint32_t clusterBytes = 0;
    uint32_t entriesPerCluster = 0;

    uint32_t dataClusters() const { return clusterLimit - 2; }
    uint32_t rootDirOffset() const { return rootDirSector * bytesPerSector; }
    // Where a cluster lies in the image file: 0 stands for the first table copy, 1 for the root folder; -1
    // beyond the last cluster (the limit itself maps to the sector after it).
    int64_t clusterOffset(int64_t c) const;

    // Nothing when the values cannot describe an image of this geometry (nothing may be divided by zero,
    // and every area must lie inside the image).
    static std::optional<ImageLayout> derive(const BootParams& boot, uint32_t cylinders);
};

}  // namespace orva
