#pragma once
// The DOS attributes of a host file or folder, as they go onto the image.
#include <cstdint>
#include <string>

namespace cli {

// Read-only when no write permission bit is set (or the file sits on a read-only mount); hidden and system
// from the extended attribute user.DOSATTRIB that Samba keeps, when there is one. Files always carry the
// archive bit: a file just copied has not been backed up.
uint8_t hostAttributes(const std::string& path, bool isFolder);

}  // namespace cli
