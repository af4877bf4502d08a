#pragma once
// What an image path may name, and the image a read or a rescue writes into.
#include <memory>
#include <optional>
#include <string>

#include "action_events.h"
#include "platform/containers/container_file.h"

namespace converter::actions {

// A regular file, or nothing yet: reading into /dev/sda would overwrite a disk. The failure for anything
// else.
std::optional<Result> refuseNonFileImage(const std::string& path);

// The file itself for a raw image, or a container the name asks for, which keeps each sector's state and is
// encoded at close (then container is set).
struct ImageTarget {
    std::unique_ptr<platform::RandomAccessFile> file;
    platform::containers::ContainerFile* container = nullptr;
};

// A new image (or an existing one emptied) for the medium's sectors; no file, with error set to an errno
// value, when it cannot be made.
ImageTarget createTarget(const std::string& path, const DiskGeometry& geometry, int& error);

}  // namespace converter::actions
