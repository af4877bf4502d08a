#pragma once
// The geometry of the medium in a drive, worked out from what DOS says about the drive and the medium.
#include <cstdint>

#include "orva.h"

namespace converter {

// Fills the type, and for the four known combinations cylinders and sectors per track; every outcome sets
// heads 2, 512 bytes per sector and clears the high half of cylinders. Unknown combinations give type 0 and
// leave cylinders and sectors per track as they were.
void GeometryFromDeviceParams(uint8_t deviceType, uint8_t mediaByte, DiskGeometry& geometry);

}  // namespace converter
