#pragma once
// How much of each area the file system keeps for itself a ddrescue map does not call finished.
#include <cstdint>
#include <vector>

#include "image_layout.h"
#include "platform/containers/mapfile.h"

namespace damage {

struct SystemAreaDamage {
    uint64_t bootSector = 0;          // the reserved sectors, the boot sector first
    std::vector<uint64_t> tableCopies;  // one per copy of the allocation table, the first first
    uint64_t rootFolder = 0;

    bool any() const;
};

SystemAreaDamage systemAreaDamage(const orva::ImageLayout& layout, const platform::containers::Mapfile& map);

}  // namespace damage
