#pragma once
// Which parts of an image hold bytes a ddrescue map does not call finished: the system areas and every file
// and folder, so a window can name what a rescue left hurt.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/containers/mapfile.h"

namespace damage {

struct HurtParts {
    bool bootSector = false;
    std::vector<uint32_t> tableCopies;  // 1 = the first copy
    bool rootFolder = false;
    std::vector<std::string> items;  // paths as walkFolders gives them, in its order
};

// Nothing, with the library's OpenFDImg result in openResult, when the image cannot be opened.
std::optional<HurtParts> hurtParts(const std::string& imagePath, const platform::containers::Mapfile& map,
                                   int32_t& openResult);

}  // namespace damage
