#pragma once
// How the Linux drivers' numbers map onto our geometries: the driver's medium parameters, the CMOS drive type,
// a USB floppy's capacity, and the parameters we hand the driver before formatting.
#include <cstdint>
#include <optional>
#include <vector>

#include "linux/kernel_abi.h"
#include "orva.h"

namespace converter::linux_floppy {

// FDGETPRM's answer as our geometry; triples no floppy type names become type 0 with the numbers kept.
DiskGeometry geometryFromParams(const FloppyParams& params);

// What a drive of this CMOS type can hold, the drive's own type first. Unknown types list nothing.
std::vector<DiskGeometry> geometriesForCmos(int cmos);

// The driver parameters for formatting a type in a drive of this CMOS type; nothing for combinations the
// drive cannot make (a 1.2 MB medium in a 3.5" drive, any 2.88 MB medium).
std::optional<FloppyParams> formatParamsFor(int32_t mediaType, int cmos);

// A USB floppy's block count and size as a geometry; nothing for capacities no floppy type has.
std::optional<DiskGeometry> geometryFromCapacity(uint32_t blocks, uint32_t blockBytes);

}  // namespace converter::linux_floppy
