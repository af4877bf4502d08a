#pragma once
// The in-memory copy of one allocation table: 12-bit entries, two to every three bytes.
#include <bitset>
#include <cstdint>
#include <span>
#include <vector>

namespace orva {

inline constexpr uint32_t kEndOfChain = 0xFFF;

// FAT12 names clusters with 12 bits, so the clusters one walk has been through fit in a set of 4096 bits.
inline constexpr uint32_t kClusterNumbers = 0x1000;
using ClusterSet = std::bitset<kClusterNumbers>;

// What one link of a chain leads to; for a loop, the cluster it leads back to.
struct ChainLink {
    enum Kind { Next, End, Broken, Loop } kind;
    uint32_t next;
};

class FatTable {
  public:
    FatTable() = default;
    // The limit never exceeds the entries the bytes hold, nor the numbers 12 bits can name.
    FatTable(std::vector<uint8_t> bytes, uint32_t clusterLimit);

    std::span<const uint8_t> bytes() const { return bytes_; }
    uint32_t clusterLimit() const { return limit_; }
    bool empty() const { return bytes_.empty(); }

    // The raw 12-bit entry of a cluster; the caller keeps c below the limit.
    uint32_t raw(uint32_t c) const;
    void setRaw(uint32_t c, uint32_t value);

    // 0 outside 2..limit-1; -1 for a value that ends a chain (end marks, bad mark, beyond the limit).
    int32_t FatGet(int64_t c) const;
    // Ignored outside 2..limit-1.
    void FatSet(int64_t c, uint32_t value);
    // Lowest free cluster >= s, -1 when none, 0 when s is not a cluster.
    int32_t FatFindFree(int64_t s) const;
    uint32_t countFree() const;
    // The link after cluster. visited holds the clusters the walk has been through (cluster joins them): a
    // link back to one of them is a loop, and the walk ends at the first cluster it would read again.
    ChainLink follow(uint32_t cluster, ClusterSet& visited) const;

  private:
    std::vector<uint8_t> bytes_;
    uint32_t limit_ = 2;
};

}  // namespace orva
