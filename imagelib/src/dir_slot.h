#pragma once
// Directory slots: the 32-byte layouts, how a slot is classified, and the consistency checks.
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "dir_entry_layout.h"
#include "library_codes.h"

namespace orva {

using Slot = std::array<uint8_t, kSlotBytes>;

inline Slot slotBytes(const DirEntry& e) {
    return std::bit_cast<Slot>(e);
}

// Makes slot the volume label's: the label blank-padded into the 11 name bytes (cut beyond), the label
// attribute and dosStamp as the write time; the slot's other bytes stay as they are.
void fillLabelSlot(Slot& slot, std::string_view label, uint32_t dosStamp);
inline DirEntry slotEntry(const Slot& s) {
    return std::bit_cast<DirEntry>(s);
}

// All 32 bytes alike: an end slot when they are 0, filler otherwise.
bool isBlank(const Slot& s);
inline bool isEndSlot(const Slot& s) {
    return s[0] == kEndMark && isBlank(s);
}
inline bool isFreeSlot(const Slot& s) {
    return s[0] == kDeletedMark || isEndSlot(s);
}
// A slot that belongs to the long name of the entry that follows it.
bool isLongNamePart(const Slot& s);
// Deleted, end, long-name and blank slots are not entries a caller wants to see.
bool isHiddenSlot(const Slot& s);

// A group's slots by their offsets, in runs of neighbours: each run goes in one write.
struct SlotSpan {
    size_t first;  // index into the offsets
    size_t count;
};
std::vector<SlotSpan> neighbourRuns(const std::vector<uint64_t>& offsets);

struct CheckLimits {
    uint32_t clusterLimit;
    uint32_t imageBytes;
    bool strict;  // also type byte and first-cluster field of long-name parts
};

// A check code, check::kPassed when the slot passes.
uint8_t CheckShortEntry(const Slot& s, const CheckLimits& limits);
uint8_t CheckLongPart(const Slot& s, const CheckLimits& limits);
uint8_t CheckLabelEntry(const Slot& s);
// The check that applies to a slot of this kind.
uint8_t checkSlot(const Slot& s, const CheckLimits& limits);

}  // namespace orva
