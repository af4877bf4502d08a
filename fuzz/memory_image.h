#pragma once
// Fuzz inputs become images in memory: a blank floppy of a standard size from one of the boot sector
// templates, with the input laid over its first bytes. The library reaches it through its file seam.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "image_state.h"

namespace fuzzing {

// The first input byte chooses: bits 0-1 the template (360K, 720K, 1.2M, 1.44M), bits 2-3 the slot checks,
// bit 4 the second table copy, bit 5 whether the template's boot sector stays (the input then starts at
// offset 512). The rest of the input is laid over the image.
struct ImageInput {
    std::vector<uint8_t> image;
    int32_t checkFlags;
    int32_t fatCopy;
};

ImageInput imageFromInput(std::span<const uint8_t> input);

// A scratch folder for the whole run, on tmpfs where there is one: host files, and an empty placeholder the
// library's open can see as an existing, writable file.
const std::filesystem::path& scratchFolder();

// An ImageState whose image file is the given bytes.
std::unique_ptr<orva::ImageState> openInMemory(std::vector<uint8_t>& image, int32_t fatCopy, int32_t& result);

// Lists the whole tree (one enumeration at a time, each folder once) and copies out up to maxCopies files.
// Returns the number of entries seen.
size_t walkTree(orva::ImageState& state, size_t maxCopies);

// Aborts when the free-cluster count the library keeps differs from the table.
void checkFreeCount(const orva::ImageState& state);

}  // namespace fuzzing
