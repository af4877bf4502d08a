#pragma once
// The areas of an image and every copy of its allocation table, read as the library reads them.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fat_table.h"
#include "image_layout.h"

namespace damage {

struct ImageTables {
    orva::ImageLayout layout;
    std::vector<orva::FatTable> copies;  // the first copy, and the second when the image holds one
};

// Which copies to read: each is one opening of the image (a container decoded again), so a caller that
// follows chains as the library does (through the first copy) reads only that one.
enum class TableCopies { First, All };

// Opened read-only and closed again before the library opens the image for the walk (the image is locked
// while open). Nothing, with the library's OpenFDImg result in openResult, when it cannot open it.
std::optional<ImageTables> readTableCopies(const std::string& path, TableCopies wanted, int32_t& openResult);

}  // namespace damage
