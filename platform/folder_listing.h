#pragma once
// One level of a host folder, as the browser's host tree lists it.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct FolderEntry {
    std::string name;
    bool isDirectory = false;
    uint64_t size = 0;    // files only
    bool isLink = false;  // reached through a symbolic link
};

// Folders and regular files (symbolic links are followed to what they name; broken links, devices, FIFOs and
// sockets are left out), unsorted, without "." and "..". Nothing when the folder cannot be read.
std::optional<std::vector<FolderEntry>> listFolderEntries(const std::string& path);

}  // namespace platform
