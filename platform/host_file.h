#pragma once
// Host files opened exclusively (an advisory lock held while open), never blocking on FIFOs or devices.
#include <memory>
#include <string>

#include "platform/random_access_file.h"

namespace platform {

enum class Access { ReadWrite, ReadOnly };

// Opens an existing regular file and locks it. On failure returns null and sets error to an errno value.
std::unique_ptr<RandomAccessFile> openExclusive(const std::string& path, Access access, int& error);

// Creates a regular file, or empties an existing one, for writing, and locks it. A folder, FIFO, device or a
// file locked by someone else is refused before anything is truncated.
std::unique_ptr<RandomAccessFile> createExclusive(const std::string& path, int& error);

}  // namespace platform
