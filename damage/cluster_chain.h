#pragma once
// A file's or folder's cluster chain as the table holds it, and how it ends.
#include <cstdint>
#include <vector>

#include "fat_table.h"

namespace damage {

struct ClusterChain {
    enum class End {
        Mark,     // an end mark (or the bad-cluster mark) where the chain is meant to end
        Broken,   // a free or reserved entry in the middle of the chain
        Loop,     // leads back to one of its own clusters
        Outside,  // the first cluster is no cluster of the disk
    };
    std::vector<uint32_t> clusters;
    End end = End::Mark;
    uint32_t loopsTo = 0;  // for a loop: the cluster it leads back to
};

// The chain from a first cluster; an empty one for first cluster 0.
ClusterChain followChain(const orva::FatTable& table, uint32_t first);

}  // namespace damage
