#pragma once
// Builds image files byte by byte for tests: a blank FAT12 floppy of one of the standard sizes, then slots,
// long names, table entries and file data placed exactly where a test wants them.
#include <cstdint>
#include <string>
#include <vector>

#include "fixture.h"
#include "orva.h"

namespace orva::testing {

struct Geometry {
    uint32_t bytesPerSector, sectorsPerCluster, reservedSectors, fatCount, rootEntries, totalSectors;
    uint8_t media;
    uint32_t sectorsPerFat, sectorsPerTrack, heads;
};

inline constexpr Geometry k144{512, 1, 1, 2, 224, 2880, 0xF0, 9, 18, 2};
inline constexpr Geometry k720{512, 2, 1, 2, 112, 1440, 0xF9, 3, 9, 2};
inline constexpr Geometry k12{512, 1, 1, 2, 224, 2400, 0xF9, 7, 15, 2};
inline constexpr Geometry k360{512, 2, 1, 2, 112, 720, 0xFD, 2, 9, 2};

class ImageBuilder {
public:
    explicit ImageBuilder(const Geometry& g = k144);

    const Geometry& geometry() const { return g_; }
    std::vector<uint8_t>& bytes() { return bytes_; }
    uint32_t clusterBytes() const { return g_.bytesPerSector * g_.sectorsPerCluster; }
    uint32_t fatOffset() const { return g_.reservedSectors * g_.bytesPerSector; }
    uint32_t rootOffset() const;
    uint32_t clusterOffset(uint32_t c) const;
    uint32_t slotOffset(uint32_t dirCluster, uint32_t index) const;  // dirCluster 1 = root

    void setBoot(size_t offset, size_t width, uint32_t value);
    // Sets an entry in every copy of the table.
    void setFat(uint32_t cluster, uint32_t value);
    uint32_t fat(uint32_t cluster, int copy = 0) const;
    void chain(const std::vector<uint32_t>& clusters);

    void putSlot(uint32_t dirCluster, uint32_t index, const std::vector<uint8_t>& slot);
    std::vector<uint8_t> slot(uint32_t dirCluster, uint32_t index) const;

    // An 8.3 entry; name11 is the stored 11 bytes ("README  TXT").
    static std::vector<uint8_t> shortEntry(const std::string& name11, uint8_t attributes, uint16_t cluster,
                                           uint32_t size);
    // The long-name parts for a name, last part first, as they precede their short entry on disk.
    static std::vector<std::vector<uint8_t>> longParts(const std::u16string& name, uint8_t checksum);
    static uint8_t checksum(const std::string& name11);
    // Long-name parts and the short entry from index on; returns the index after the group.
    uint32_t putGroup(uint32_t dirCluster, uint32_t index, const std::u16string& longName, const std::string& name11,
                      uint8_t attributes, uint16_t cluster, uint32_t size);
    // A subdirectory in cluster c with its dot entries.
    void makeDirectory(uint32_t c, uint32_t parent);
    void putData(uint32_t cluster, const std::vector<uint8_t>& data);

    void save(const testing_support::fs::path& path) const { testing_support::writeFile(path, bytes_); }

private:
    Geometry g_;
    std::vector<uint8_t> bytes_;
};

// The long name that follows a handed-out entry in memory, up to its end mark.
std::u16string longNameOf(const DirEntry* e, int32_t slotCount);

}  // namespace orva::testing
