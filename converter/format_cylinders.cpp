#include "format_cylinders.h"

#include "media_types.h"

namespace converter {

bool formatGeometryUsable(const DiskGeometry& geometry) {
    return geometry.mediaType != Unknown && geometry.tracksPerCylinder > 0 &&
           geometry.tracksPerCylinder <= 255;
}

bool formatEachCylinder(const DiskGeometry& geometry, ProgressPort& progress,
                        const std::function<bool(uint32_t cylinder)>& formatCylinder) {
    const uint32_t cylinders = static_cast<uint32_t>(geometry.cylinders);
    progress.SetRange(0, cylinders);
    progress.SetStep(1);
    progress.SetPos(0);
    for (uint32_t c = 0; c < cylinders; ++c) {
        if (!formatCylinder(c)) return false;
        progress.StepIt();
    }
    return true;
}

}  // namespace converter
