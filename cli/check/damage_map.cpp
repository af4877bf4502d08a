#include "damage_map.h"

#include <algorithm>

namespace cli {

uint64_t unfinishedBytes(const platform::containers::Mapfile& map, uint64_t offset, uint64_t length) {
    const uint64_t end = offset + length;
    uint64_t finished = 0;
    for (const auto& block : map.blocks) {
        if (block.status != platform::containers::kFinished) continue;
        const uint64_t from = std::max(offset, block.pos);
        const uint64_t to = std::min(end, block.pos + block.size);
        if (from < to) finished += to - from;
    }
    return length - finished;
}

}  // namespace cli
