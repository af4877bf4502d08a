#pragma once
// How damage/ opens an image: read-only, so looking at it changes nothing, also not a container that would
// be written back when closed.
#include <memory>
#include <string>

#include "platform/containers/open_image.h"

namespace damage {

inline std::unique_ptr<platform::RandomAccessFile> openForReading(const std::string& path, platform::Access,
                                                                  int& error) {
    return platform::containers::openImage(path, platform::Access::ReadOnly, error);
}

}  // namespace damage
