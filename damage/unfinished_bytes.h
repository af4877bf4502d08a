#pragma once
// How much of a stretch of the image a ddrescue map does not call finished.
#include <cstdint>

#include "damage/cluster_chain.h"
#include "image_layout.h"
#include "platform/containers/mapfile.h"

namespace damage {

// Bytes of [offset, offset + length) in blocks of any state but finished; bytes the map does not reach
// were never tried, as ddrescue counts them.
uint64_t unfinishedBytes(const platform::containers::Mapfile& map, uint64_t offset, uint64_t length);


// Bytes of a file's or folder's data on sectors the map does not call finished: a file's up to its size, a
// folder's whole clusters.
uint64_t itemUnfinishedBytes(const ClusterChain& chain, bool folder, uint32_t size, const orva::ImageLayout& layout,
                             const platform::containers::Mapfile& map);

}  // namespace damage
