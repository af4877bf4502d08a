#pragma once
// A host file's creation, last access and last write times, as UTC calendar times.
#include <cstdint>
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

// Gives a host file or folder the times of a directory entry, as cp -p and mcopy -m do: its write date and
// time as the modification time, its last access date as the access time. A date no day has leaves that
// time as it is. False, with errno set, when the times could not be set.
bool setEntryTimes(const std::string& path, uint16_t writeDate, uint16_t writeTime, uint16_t accessDate);

}  // namespace platform
