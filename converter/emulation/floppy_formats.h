#pragma once
// What the emulated hardware knows: every floppy format a PC drive writes, and the drives that take them.
// The converter itself computes only the four built types; the platform knows the rest.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "orva.h"

namespace converter::emulation {

// A format with the parameters DOS puts in its boot sector, for drives asked about a medium without one.
struct FloppyFormat {
    std::string_view name;  // as scenarios name it: "1.44M", "720K", ...
    DiskGeometry geometry;
    uint8_t mediaByte;
    uint8_t sectorsPerCluster;
    uint16_t rootEntries;
    uint16_t sectorsPerFat;
};

enum class DriveKind { Floppy525DD, Floppy525HD, Floppy35DD, Floppy35HD, Floppy35ED };

struct DriveKindInfo {
    DriveKind kind;
    std::string_view name;  // the drive's own format's name
    uint8_t dosDeviceType;  // as DOS Get Device Parameters reports it
    uint32_t cylinders;
    std::span<const int32_t> mediaTypes;  // what the platform lists for the drive, its own format first
};

std::span<const FloppyFormat> floppyFormats();
const FloppyFormat* formatForType(int32_t mediaType);
// Letter case does not matter.
const FloppyFormat* formatNamed(std::string_view name);

const DriveKindInfo& driveKindInfo(DriveKind kind);
std::optional<DriveKind> driveKindNamed(std::string_view name);

}  // namespace converter::emulation
