#pragma once
// Images damaged the way people meet them, for tests: the allocation table of an image file edited in place.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

namespace fs = std::filesystem;

// The 12-bit table entry of a cluster, read from the first copy.
uint32_t fatEntry(const fs::path& image, uint32_t cluster);
// Sets a cluster's entry in every copy of the table.
void setFatEntry(const fs::path& image, uint32_t cluster, uint32_t value);
// Sets it in one copy only (0 = the first), leaving the copies different.
void setFatEntryInCopy(const fs::path& image, uint32_t copy, uint32_t cluster, uint32_t value);
// The clusters of a chain from its first, up to its end mark.
std::vector<uint32_t> chainOf(const fs::path& image, uint32_t first);

// A 1.44 MB image made by mkfs.fat with a folder DIR of the given number of files ("f1.txt" ...) copied in
// by mcopy, whose cluster chain then leads from its last cluster back to its first. Returns DIR's clusters.
std::vector<uint32_t> makeLoopingFolderImage(const fs::path& image, int files);

}  // namespace testing_support
