#pragma once
// What an image path may name.
#include <optional>
#include <string>

#include "action_events.h"

namespace converter::actions {

// A regular file, or nothing yet: reading into /dev/sda would overwrite a disk. The failure for anything
// else.
std::optional<Result> refuseNonFileImage(const std::string& path);

}  // namespace converter::actions
