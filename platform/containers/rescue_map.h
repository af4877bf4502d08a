#pragma once
// The sectors of an image that hold no good data, as a GNU ddrescue map beside the image: what ddrescue and
// the rescue tools read to know which bytes were never recovered.
#include <string>
#include <vector>

#include "platform/containers/sector_image.h"

namespace platform::containers {

struct BadSector {
    uint32_t cylinder;
    uint32_t head;
    uint32_t sector;  // as numbered on the disk (from the image's first sector id)
    SectorState state;
};

std::vector<BadSector> badSectors(const SectorImage& image);

// Finished blocks ("+") and bad sectors ("-"), in runs; a finished pass over the whole image.
std::string rescueMapText(const SectorImage& image, const std::string& commandLine);

// Where the map of an image lives.
inline std::string rescueMapPath(const std::string& imagePath) {
    return imagePath + ".map";
}

}  // namespace platform::containers
