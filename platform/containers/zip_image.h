#pragma once
// Zipped raw images (.imz, as WinImage writes them): a zip archive holding one raw image file, stored or
// deflated.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/containers/container_error.h"

namespace platform::containers {

struct ZippedImage {
    std::string entryName;  // the image file's name inside the archive
    std::vector<uint8_t> bytes;
};

// The first regular file of the archive.
ContainerError unzipImage(std::span<const uint8_t> file, ZippedImage& out);

// An archive of that one file, deflated.
ContainerError zipImage(const ZippedImage& image, std::vector<uint8_t>& out);

}  // namespace platform::containers
