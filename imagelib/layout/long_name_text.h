#pragma once
// The long name of an entry group as the library hands groups out: the 8.3 entry, then its long-name parts.
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <string>

#include "dir_entry_layout.h"
#include "long_name_layout.h"

namespace orva {

// The UTF-16 units up to the terminating 0; 0xFFFF pads the rest of a part. Empty when the group has none.
inline std::u16string longNameUnits(const DirEntry* entry, int32_t slotCount) {
    std::u16string name;
    const int32_t parts = std::clamp(slotCount, 1, static_cast<int32_t>(kGroupSlots));
    for (int32_t part = 1; part < parts; ++part) {
        const auto slot = std::bit_cast<std::array<uint8_t, kSlotBytes>>(entry[part]);
        for (size_t at : kPartCharOffsets) {
            const auto c = static_cast<char16_t>(slot[at] | (slot[at + 1] << 8));
            if (c == 0xFFFF) break;
            if (c == 0) return name;
            name.push_back(c);
        }
    }
    return name;
}

}  // namespace orva
