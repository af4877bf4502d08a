#include "damage/unfinished_bytes.h"

#include <algorithm>

namespace damage {

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

uint64_t itemUnfinishedBytes(const ClusterChain& chain, bool folder, uint32_t size, const orva::ImageLayout& layout,
                             const platform::containers::Mapfile& map) {
    uint64_t bad = 0;
    uint64_t left = folder ? UINT64_MAX : size;
    for (uint32_t c : chain.clusters) {
        if (left == 0) break;
        const uint64_t length = std::min<uint64_t>(left, layout.clusterBytes);
        bad += unfinishedBytes(map, static_cast<uint64_t>(layout.clusterOffset(c)), length);
        left -= length;
    }
    return bad;
}

}  // namespace damage
