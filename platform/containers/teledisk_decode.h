#pragma once
// Reading a TeleDisk image into sectors; TeleDisk images are only read.
#include <cstdint>
#include <span>
#include <string>

#include "platform/containers/container_error.h"
#include "platform/containers/sector_image.h"

namespace platform::containers {

struct TeleDiskImage {
    SectorImage image;
    std::string comment;  // lines separated by "\r\n"
};

ContainerError decodeTeleDisk(std::span<const uint8_t> file, TeleDiskImage& out);

// CRC-16 with polynomial 0xA097 and no initial value, as TeleDisk's headers carry it.
uint16_t teleDiskCrc(std::span<const uint8_t> bytes);

}  // namespace platform::containers
