#pragma once
// Every file and folder of an image, read-only, for telling which of them a rescue left hurt.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace damage {

struct WalkedItem {
    std::string path;  // from the root, "\"-separated, each name as the library gives it
    uint16_t firstCluster = 0;
    uint32_t size = 0;
    bool folder = false;
};

// A folder's whole contents before what is below it; dot entries and labels left out, and a folder whose
// cluster was already walked is not entered again. Nothing, with the library's OpenFDImg result in
// openResult, when the image cannot be opened.
std::optional<std::vector<WalkedItem>> walkFolders(const std::string& imagePath, int32_t& openResult);

}  // namespace damage
