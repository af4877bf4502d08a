#include "geometry_list.h"

#include <cstdio>

#include "media_types.h"

namespace converter {

std::string geometryLine(const DiskGeometry& geometry) {
    // Printed as signed numbers, as the window always has; only the low half of cylinders is shown.
    const std::string label(MediaTypeLabel(geometry.mediaType));
    char numbers[48];
    std::snprintf(numbers, sizeof numbers, " CTS=%d/%d/%d", static_cast<int32_t>(geometry.cylinders),
                  static_cast<int32_t>(geometry.tracksPerCylinder),
                  static_cast<int32_t>(geometry.sectorsPerTrack));
    return label + numbers;
}

void ListGeometryLine(bool withHeader, const DiskGeometry& geometry, ListPort& list) {
    if (withHeader) list.AppendLine("Floppy:");
    list.AppendLine(geometryLine(geometry));
}

}  // namespace converter
