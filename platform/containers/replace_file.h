#pragma once
// Writing a file whole so that a crash leaves either its old or its new content, never a mix.
#include <cstdint>
#include <span>
#include <string>

namespace platform::containers {

// Writes the bytes to a new file in the same folder, makes them durable, and renames it over path, keeping
// path's permission bits. False with error set to an errno value; path is then untouched.
bool replaceFile(const std::string& path, std::span<const uint8_t> bytes, int& error);

// Whether a file can be created in the folder that holds path (a replacement must be).
bool folderWritable(const std::string& path);

}  // namespace platform::containers
