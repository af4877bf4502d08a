#pragma once
#include <cstdint>
#include <string>

namespace platform {

struct PathInfo {
    bool exists = false;
    bool regular = false;
    bool directory = false;
    // No write permission bit set, or on a read-only mount: the host's notion of a read-only file.
    bool writeProtected = false;
    uint64_t size = 0;
};

PathInfo inspectPath(const std::string& path);

}  // namespace platform
