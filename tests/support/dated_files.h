#pragma once
// Host files with write times of their own, for following times from the host into an image and back.
#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

namespace fs = std::filesystem;

struct DatedFile {
    const char* path;     // below the tree's folder, "/"-separated
    const char* written;  // UTC, "YYYY-MM-DD HH:MM:SS", an even second as FAT keeps them
};

// A file in the root and two in a long-named folder, written long ago.
const std::vector<DatedFile>& datedFiles();
// Makes them below folder, each with its write time.
void makeDatedTree(const fs::path& folder);
// A host file's or folder's write time as "YYYY-MM-DD HH:MM:SS\n" in UTC.
std::string writtenUtc(const fs::path& path);

}  // namespace testing_support
