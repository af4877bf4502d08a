#pragma once
// A host file's creation, last access and last write times, as UTC calendar times.
#include <optional>
#include <string>

#include "platform/clock.h"

namespace platform {

struct FileTimes {
    UtcTime created;  // the birth time where the file system keeps one, else the last write time
    UtcTime accessed;
    UtcTime written;
};

std::optional<FileTimes> fileTimes(const std::string& path);

}  // namespace platform
