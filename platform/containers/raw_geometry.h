#pragma once
// The geometry of a raw image, which carries none of its own: its boot sector's, when that agrees with the
// file's size, else the one of the common floppy of exactly that size.
#include <cstdint>
#include <span>

#include "platform/containers/sector_image.h"

namespace platform::containers {

// Unknown (all zero) when neither tells.
SectorGeometry rawGeometry(std::span<const uint8_t> image);

// Sectors in device order with every state Normal, under the geometry the bytes tell.
SectorImage rawSectorImage(std::vector<uint8_t> bytes);

}  // namespace platform::containers
