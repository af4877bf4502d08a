#pragma once
// Directory slots: the 32-byte layouts, how a slot is classified, and the consistency checks.
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

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
using Slot = std::array<uint8_t, kSlotBytes>;

inline Slot slotBytes(const DirEntry& e) { return std::bit_cast<Slot>(e); }

// Makes slot the volume label's: the label blank-padded into the 11 name bytes (cut beyond), the label
// attribute and dosStamp as the write time; the slot's other bytes stay as they are.
void fillLabelSlot(Slot& slot, std::string_view label, uint32_t dosStamp);
inline DirEntry slotEntry(const Slot& s) { return std::bit_cast<DirEntry>(s); }

namespace attr {
inline constexpr uint8_t kReadOnly = 0x01, kHidden = 0x02, kSystem = 0x04, kLabel = 0x08, kDirectory = 0x10,
                         kArchive = 0x20, kLongName = 0x0F;
}

// Bytes that make a stored short name malformed.
inline constexpr std::string_view kBadShortNameBytes = ".\"/\\[]:;=,|*?";

inline constexpr uint8_t kDeletedMark = 0xE5;
inline constexpr uint8_t kLastPartMark = 0x40;

// A directory entry without a cluster can only mean the root (as in a ".." of a root's child).
inline uint32_t directoryClusterOf(const DirEntry& e) { return e.firstCluster == 0 ? 1u : e.firstCluster; }

inline bool isLongNameAttr(uint8_t attributes) { return (attributes & attr::kLongName) == attr::kLongName; }
// All 32 bytes alike: an end slot when they are 0, filler otherwise.
bool isBlank(const Slot& s);
inline bool isEndSlot(const Slot& s) { return s[0] == 0 && isBlank(s); }
inline bool isFreeSlot(const Slot& s) { return s[0] == kDeletedMark || isEndSlot(s); }
// A slot that belongs to the long name of the entry that follows it.
bool isLongNamePart(const Slot& s);
// Deleted, end, long-name and blank slots are not entries a caller wants to see.
bool isHiddenSlot(const Slot& s);

struct CheckLimits {
    uint32_t clusterLimit;
    uint32_t imageBytes;
    bool strict;  // also type byte and first-cluster field of long-name parts
};

// Check codes 1..9, 0 = the slot passes.
uint8_t CheckShortEntry(const Slot& s, const CheckLimits& limits);
uint8_t CheckLongPart(const Slot& s, const CheckLimits& limits);
uint8_t CheckLabelEntry(const Slot& s);
// The check that applies to a slot of this kind.
uint8_t checkSlot(const Slot& s, const CheckLimits& limits);

}  // namespace orva
