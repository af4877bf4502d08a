#pragma once
// The name an image entry is shown under: its long name when it has one, else its 8.3 name.
#include <cstdint>
#include <string>

#include "orva.h"

namespace browser {

// entry points at the 8.3 entry followed by its slotCount - 1 long-name parts, as the library hands them out.
std::string imageItemName(const DirEntry* entry, int32_t slotCount);
// The long name alone, empty when the entry has none.
std::string longNameOf(const DirEntry* entry, int32_t slotCount);

// Label bytes are shown as stored: ASCII as it is, other bytes read in the Windows code page they were
// shown in (CP1250), never cut.
std::string labelText(const uint8_t* bytes, size_t count);

}  // namespace browser
