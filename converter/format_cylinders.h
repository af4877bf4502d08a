#pragma once
// Formatting a whole floppy: one request per cylinder, the progress bar stepping after each.
#include <cstdint>
#include <functional>

#include "orva.h"
#include "progress_port.h"

namespace converter {

// The geometry names a type and a head count a format request can carry. Type 0 is refused: its numbers
// may be left over from before a query.
bool formatGeometryUsable(const DiskGeometry& geometry);

// Sets the bar to 0..cylinders, step 1, position 0, then formats cylinder 0, 1, ... with formatCylinder,
// stepping after each. Stops at the first cylinder that fails.
bool formatEachCylinder(const DiskGeometry& geometry, ProgressPort& progress,
                        const std::function<bool(uint32_t cylinder)>& formatCylinder);

}  // namespace converter
