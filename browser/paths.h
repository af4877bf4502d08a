#pragma once
// Joining names to paths on both sides: "/" on the host, "\" inside the image.
#include <string>

#include "platform/host_paths.h"

namespace browser {

using platform::hostFolderOf;
using platform::hostNameOf;
using platform::joinHostPath;

inline std::string joinImagePath(const std::string& folder, const std::string& name) {
    return folder.ends_with('\\') ? folder + name : folder + "\\" + name;
}

}  // namespace browser
