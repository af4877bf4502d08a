#pragma once
// What changes whenever anyone writes a file: compared with an earlier one, it tells that someone wrote it.
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

struct FileStamp {
    uint64_t device = 0;
    uint64_t inode = 0;
    uint64_t size = 0;
    int64_t changedSeconds = 0;  // the inode's change time, which every write and every replacement moves
    int64_t changedNanoseconds = 0;
    int64_t modifiedSeconds = 0;
    int64_t modifiedNanoseconds = 0;

    bool operator==(const FileStamp&) const = default;
};

// Nothing when the file cannot be looked at.
std::optional<FileStamp> fileStamp(const std::string& path);

}  // namespace platform
