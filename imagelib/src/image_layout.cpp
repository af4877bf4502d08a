#include "image_layout.h"

#include <algorithm>

#include "boot_sector.h"
#include "dir_slot.h"
#include "library_codes.h"

namespace orva {

BootParams BootParams::parse(std::span<const uint8_t> s) {
    BootParams p;
    p.bytesPerSector = boot::get(s, boot::bytesPerSector);
    p.sectorsPerCluster = boot::get(s, boot::sectorsPerCluster);
    p.reservedSectors = boot::get(s, boot::reservedSectors);
    p.fatCount = boot::get(s, boot::fatCount);
    p.rootEntries = boot::get(s, boot::rootEntries);
    p.mediaByte = static_cast<uint8_t>(boot::get(s, boot::mediaByte));
    p.sectorsPerFat = boot::get(s, boot::sectorsPerFat);
    p.sectorsPerTrack = boot::get(s, boot::sectorsPerTrack);
    p.heads = boot::get(s, boot::heads);
    return p;
}

std::optional<ImageLayout> ImageLayout::derive(const BootParams& b, uint32_t cylinders) {
    // A table and a root directory need a sector of their own before them, or a flush would overwrite the
    // boot sector; a cluster must hold at least one slot.
    if (b.bytesPerSector == 0 || b.sectorsPerCluster == 0 || b.reservedSectors == 0 || b.fatCount == 0) {
        return std::nullopt;
    }
    const uint64_t bps = b.bytesPerSector;
    const uint64_t geometrySectors = uint64_t{b.sectorsPerTrack} * b.heads * cylinders;
    const uint64_t imageBytes = geometrySectors * bps;
    const uint64_t clusterBytes = uint64_t{b.sectorsPerCluster} * bps;
    if (clusterBytes < kSlotBytes) return std::nullopt;

    const uint64_t rootDirSector = b.reservedSectors + uint64_t{b.fatCount} * b.sectorsPerFat;
    const uint64_t rootDirSectors = (uint64_t{b.rootEntries} * kSlotBytes + bps - 1) / bps;
    const uint64_t dataSector = rootDirSector + rootDirSectors;
    if (dataSector > geometrySectors) return std::nullopt;  // also covers the tables and the root

    ImageLayout l;
    l.bytesPerSector = b.bytesPerSector;
    l.sectorsPerCluster = b.sectorsPerCluster;
    l.fatCount = b.fatCount;
    l.rootEntries = b.rootEntries;
    l.fatOffset = static_cast<uint32_t>(b.reservedSectors * bps);
    l.fatBytes = static_cast<uint32_t>(b.sectorsPerFat * bps);
    l.rootDirSector = static_cast<uint32_t>(rootDirSector);
    l.clusterBase = static_cast<int64_t>(dataSector) - 2 * int64_t{b.sectorsPerCluster};
    const uint64_t byGeometry = (geometrySectors - dataSector) / b.sectorsPerCluster + 2;
    const uint64_t byTable = uint64_t{l.fatBytes} * 2 / 3;
    l.clusterLimit = static_cast<uint32_t>(std::max<uint64_t>(2, std::min({byGeometry, byTable, uint64_t{0xFF7}})));
    l.imageBytes = static_cast<uint32_t>(imageBytes);
    l.clusterBytes = static_cast<uint32_t>(clusterBytes);
    l.entriesPerCluster = static_cast<uint32_t>(clusterBytes / kSlotBytes);
    return l;
}

int64_t ImageLayout::clusterOffset(int64_t c) const {
    if (c == 0) return fatOffset;
    if (c == kRootCluster) return rootDirOffset();
    if (c < 0 || c > clusterLimit) return -1;
    return (clusterBase + c * sectorsPerCluster) * bytesPerSector;
}

}  // namespace orva
