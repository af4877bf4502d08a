#pragma once
// The slots of a new entry: its long-name parts, last part first, then the 8.3 entry.
#include <optional>
#include <string>
#include <vector>

#include "dir_slot.h"
#include "dos_time.h"
#include "platform/clock.h"
#include "short_name.h"

namespace orva {

struct EntryStamps {
    CalendarTime created, accessed, written;
};

// FAT dates start in 1980: earlier host times are stored as its first second.
CalendarTime stampTimeOf(const platform::UtcTime& t);
EntryStamps stampsAllAt(const platform::UtcTime& t);

struct NewEntry {
    ShortName shortName;
    std::optional<std::u16string> longName;  // without its end mark
    uint8_t attributes;
    EntryStamps stamps;
    uint16_t firstCluster;
    uint32_t size;

    size_t slotCount() const { return longName ? (longName->size() + kCharsPerPart - 1) / kCharsPerPart + 1 : 1; }
};

DirEntry shortEntryOf(const NewEntry& e);
std::vector<Slot> buildEntryGroup(const NewEntry& e);

}  // namespace orva
