#include "fat_table.h"

#include <algorithm>

namespace orva {

FatTable::FatTable(std::vector<uint8_t> bytes, uint32_t clusterLimit)
    : bytes_(std::move(bytes)),
      limit_(std::max<uint32_t>(
          2, std::min({clusterLimit, static_cast<uint32_t>(bytes_.size() * 2 / 3), kClusterNumbers}))) {}

uint32_t FatTable::raw(uint32_t c) const {
    size_t at = size_t{c} * 3 / 2;
    uint32_t word = bytes_[at] | (uint32_t{bytes_[at + 1]} << 8);
    return (c & 1) ? word >> 4 : word & 0xFFF;
}

void FatTable::setRaw(uint32_t c, uint32_t value) {
    size_t at = size_t{c} * 3 / 2;
    uint32_t word = bytes_[at] | (uint32_t{bytes_[at + 1]} << 8);
    value &= 0xFFF;
    word = (c & 1) ? (word & 0x000F) | (value << 4) : (word & 0xF000) | value;
    bytes_[at] = static_cast<uint8_t>(word);
    bytes_[at + 1] = static_cast<uint8_t>(word >> 8);
}

int32_t FatTable::FatGet(int64_t c) const {
    if (c < 2 || c >= limit_) return 0;
    uint32_t v = raw(static_cast<uint32_t>(c));
    return v >= limit_ ? -1 : static_cast<int32_t>(v);
}

void FatTable::FatSet(int64_t c, uint32_t value) {
    if (c < 2 || c >= limit_) return;
    setRaw(static_cast<uint32_t>(c), value);
}

int32_t FatTable::FatFindFree(int64_t s) const {
    if (s < 2 || s >= limit_) return 0;
    for (uint32_t c = static_cast<uint32_t>(s); c < limit_; ++c) {
        if (raw(c) == 0) return static_cast<int32_t>(c);
    }
    return -1;
}

uint32_t FatTable::countFree() const {
    uint32_t n = 0;
    for (uint32_t c = 2; c < limit_; ++c) n += raw(c) == 0;
    return n;
}

ChainLink FatTable::follow(uint32_t cluster, ClusterSet& visited) const {
    const int32_t v = FatGet(cluster);
    if (v < 0) return {ChainLink::End, 0};
    // A free or reserved value in the middle of a chain means the chain is broken, not that it ends.
    if (v < 2) return {ChainLink::Broken, 0};
    // Both are below the limit, which FAT12's 12 bits bound.
    visited[cluster] = true;
    const auto next = static_cast<uint32_t>(v);
    if (visited[next]) return {ChainLink::Loop, next};
    visited[next] = true;
    return {ChainLink::Next, next};
}

}  // namespace orva
