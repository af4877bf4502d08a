#pragma once
// The 32-byte directory slot: the 8.3 entry and the long-name part as orva.h lays them out, what their
// first-byte marks mean, and how many slots one entry group takes.
#include <bit>
#include <cstddef>
#include <cstdint>

#include "entry_attributes.h"
#include "library_codes.h"
#include "long_name_layout.h"
#include "orva.h"

namespace orva {

// Entries are handed out through the C interface in their on-disk form.
static_assert(std::endian::native == std::endian::little, "on-disk entries are little-endian");
static_assert(sizeof(DirEntry) == 32 && sizeof(LongNamePart) == 32 && sizeof(EntryPos) == 4);
static_assert(offsetof(DirEntry, extension) == 8 && offsetof(DirEntry, attributes) == 11 &&
              offsetof(DirEntry, reserved) == 12 && offsetof(DirEntry, createFine) == 13 &&
              offsetof(DirEntry, createTime) == 14 && offsetof(DirEntry, createDate) == 16 &&
              offsetof(DirEntry, accessDate) == 18 && offsetof(DirEntry, clusterHigh) == 20 &&
              offsetof(DirEntry, writeTime) == 22 && offsetof(DirEntry, writeDate) == 24 &&
              offsetof(DirEntry, firstCluster) == 26 && offsetof(DirEntry, size) == 28);
static_assert(offsetof(LongNamePart, chars1) == 1 && offsetof(LongNamePart, attributes) == 11 &&
              offsetof(LongNamePart, type) == 12 && offsetof(LongNamePart, checksum) == 13 &&
              offsetof(LongNamePart, chars2) == 14 && offsetof(LongNamePart, firstCluster) == 26 &&
              offsetof(LongNamePart, chars3) == 28);
static_assert(kPartCharOffsets[0] == offsetof(LongNamePart, chars1) &&
              kPartCharOffsets[5] == offsetof(LongNamePart, chars2) &&
              kPartCharOffsets[11] == offsetof(LongNamePart, chars3));
static_assert(sizeof(DiskGeometry) == 24 && offsetof(DiskGeometry, mediaType) == 8 &&
              offsetof(DiskGeometry, bytesPerSector) == 20);

inline constexpr size_t kSlotBytes = 32;
inline constexpr size_t kAttributesAt = offsetof(DirEntry, attributes);

inline bool isLongNameAttr(uint8_t attributes) {
    return (attributes & attr::kLongName) == attr::kLongName;
}

// A folder entry without a cluster can only mean the root (as in a ".." of a root's child).
inline uint16_t folderClusterOf(uint16_t firstCluster) {
    return firstCluster == 0 ? kRootCluster : firstCluster;
}

// First bytes of a slot.
inline constexpr uint8_t kEndMark = 0x00;
inline constexpr uint8_t kDeletedMark = 0xE5;
// A name whose first byte really is 0xE5 stores 0x05 there, so that it does not read as deleted.
inline constexpr uint8_t kStandsForE5 = 0x05;
// Long-name parts: the sequence number of the part that holds the end of the name has this bit added.
inline constexpr uint8_t kLastPartMark = 0x40;
inline constexpr uint8_t kMaxPartNumber = 20;

// An entry group: the 8.3 entry and at most 21 long-name parts.
inline constexpr size_t kGroupSlots = 22;

}  // namespace orva
