#pragma once
// Writing a file whole so that a crash leaves either its old or its new content, never a mix.
#include <cstdint>
#include <span>
#include <string>

namespace platform::containers {

// Writes the bytes to a new file in the same folder, makes them durable, and renames it over path, keeping
// path's permission bits. False with error set to an errno value; path is then untouched.
bool replaceFile(const std::string& path, std::span<const uint8_t> bytes, int& error);

// Removes the temporaries that replacements of path left when their process was killed before the rename
// (".NAME.XXXXXX" beside it). Only for a caller that holds path's lock, so no replacement of it is under way.
void removeLeftoverTemporaries(const std::string& path);

// Whether a file can be created in the folder that holds path (a replacement must be).
bool folderWritable(const std::string& path);

}  // namespace platform::containers
