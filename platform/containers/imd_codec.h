#pragma once
// ImageDisk images: decoded into sectors with their states, and encoded back with what the original file
// said beyond its sectors (comment, recording modes, sector order, deleted-data marks).
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/containers/container_error.h"
#include "platform/containers/sector_image.h"

namespace platform::containers {

struct ImdTrackLayout {
    uint8_t mode = 0;
    uint32_t cylinder = 0;
    uint32_t head = 0;
    std::vector<uint8_t> ids;          // sector numbers in the order the track holds them
    std::vector<uint8_t> cylinderIds;  // empty when the track has no cylinder map
    std::vector<uint8_t> headIds;      // empty when the track has no head map
    std::vector<bool> deleted;         // per entry of ids: written with a deleted-data mark
};

struct ImdLayout {
    std::string headerLine;              // "IMD 1.18: 08/12/2024 11:11:21\r\n" and the like
    std::string comment;                 // raw bytes up to the 0x1A
    std::vector<ImdTrackLayout> tracks;  // empty for an image that did not come from an IMD file
};

struct ImdImage {
    SectorImage image;
    ImdLayout layout;
};

ContainerError decodeImd(std::span<const uint8_t> file, ImdImage& out);

// The header line of a file we write: ImageDisk's own form, which its tools check, with the given time.
std::string imdHeaderLine(int year, int month, int day, int hour, int minute, int second);

// Tracks the layout knows keep their mode, order and maps; other tracks get the mode of the geometry's data
// rate and sectors in ascending order. A track the original file did not hold is left out while none of its
// sectors has data.
ContainerError encodeImd(const SectorImage& image, const ImdLayout& layout, std::vector<uint8_t>& out);

}  // namespace platform::containers
