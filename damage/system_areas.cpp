#include "damage/system_areas.h"

#include <algorithm>

#include "damage/unfinished_bytes.h"
#include "dir_entry_layout.h"

namespace damage {

bool SystemAreaDamage::any() const {
    return bootSector > 0 || rootFolder > 0 ||
           std::any_of(tableCopies.begin(), tableCopies.end(), [](uint64_t bytes) { return bytes > 0; });
}

SystemAreaDamage systemAreaDamage(const orva::ImageLayout& l, const platform::containers::Mapfile& map) {
    SystemAreaDamage out;
    out.bootSector = unfinishedBytes(map, 0, l.fatOffset);
    for (uint32_t copy = 0; copy < l.fatCount; ++copy)
        out.tableCopies.push_back(unfinishedBytes(map, l.fatOffset + uint64_t{copy} * l.fatBytes, l.fatBytes));
    out.rootFolder = unfinishedBytes(map, l.rootDirOffset(), uint64_t{l.rootEntries} * orva::kSlotBytes);
    return out;
}

}  // namespace damage
