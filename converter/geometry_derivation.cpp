#include "geometry_derivation.h"

#include <optional>

#include "media_types.h"

namespace converter {

void GeometryFromDeviceParams(uint8_t deviceType, uint8_t mediaByte, DiskGeometry& geometry) {
    // DOS device types: 0 = 320/360 KB, 1 = 1.2 MB, 2 = 720 KB, 7 = 1.44 MB, 9 = 2.88 MB.
    struct Known {
        int32_t mediaType;
        uint32_t cylinders;
        uint32_t sectorsPerTrack;
    };
    auto known = [&]() -> std::optional<Known> {
        switch (mediaByte) {
            case 0xF0:
                // A 2.88 MB drive reports its HD floppies with the same byte.
                if (deviceType == 7 || deviceType == 9) return Known{F3_1Pt44_512, 80, 18};
                break;
            case 0xF9:
                if (deviceType == 1) return Known{F5_1Pt2_512, 80, 15};
                if (deviceType == 2 || deviceType == 7 || deviceType == 9) return Known{F3_720_512, 80, 9};
                break;
            case 0xFD:
                if (deviceType == 0 || deviceType == 1) return Known{F5_360_512, 40, 9};
                break;
            default:
                break;
        }
        return std::nullopt;
    }();

    geometry.cylinders &= 0xFFFFFFFF;
    geometry.mediaType = Unknown;
    if (known) {
        geometry.mediaType = known->mediaType;
        geometry.cylinders = known->cylinders;
        geometry.sectorsPerTrack = known->sectorsPerTrack;
    }
    geometry.tracksPerCylinder = 2;
    geometry.bytesPerSector = 512;
}

}  // namespace converter
