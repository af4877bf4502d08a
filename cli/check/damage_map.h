#pragma once
// How much of a stretch of the image a ddrescue map does not call finished.
#include <cstdint>

#include "platform/containers/mapfile.h"

namespace cli {

// Bytes of [offset, offset + length) in blocks of any state but finished; bytes the map does not reach
// were never tried, as ddrescue counts them.
uint64_t unfinishedBytes(const platform::containers::Mapfile& map, uint64_t offset, uint64_t length);

}  // namespace cli
