#pragma once
// Joining names to paths on both sides: "/" on the host, "\" inside the image; a name's extension.
#include <string>

#include "platform/host_paths.h"
#include "platform/text_codec.h"

namespace browser {

using platform::hostFolderOf;
using platform::hostNameOf;
using platform::joinHostPath;

inline std::string joinImagePath(const std::string& folder, const std::string& name) {
    return folder.ends_with('\\') ? folder + name : folder + "\\" + name;
}

// ".txt" of "Note.TXT", in lower case, for the system's picture of such files; empty without a dot.
inline std::string extensionOf(const std::string& name) {
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : platform::lowerCaseUtf8(name.substr(dot));
}

}  // namespace browser
