#pragma once
// Host paths: names joined with "/", a folder's part and a path's last name.
#include <string>

namespace platform {

inline std::string joinHostPath(const std::string& folder, const std::string& name) {
    return folder.ends_with('/') ? folder + name : folder + "/" + name;
}

// The folder part of a path ("/" for a name in the root, empty for a bare name).
inline std::string hostFolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : slash == 0 ? std::string("/") : path.substr(0, slash);
}

inline std::string hostNameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace platform
