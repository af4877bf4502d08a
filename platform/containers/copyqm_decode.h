#pragma once
// Reading a CopyQM image into sectors; CopyQM images are only read.
#include <cstdint>
#include <span>

#include "platform/containers/container_error.h"
#include "platform/containers/sector_image.h"

namespace platform::containers {

ContainerError decodeCopyQm(std::span<const uint8_t> file, SectorImage& out);

// The checksum of the sector data: CRC-32 (reflected, polynomial 0xEDB88320, starting at 0) as CopyQM
// computes it, with its table index cut to six bits.
uint32_t copyQmCrc(std::span<const uint8_t> bytes);

}  // namespace platform::containers
