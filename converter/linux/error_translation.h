#pragma once
// Linux failures as the last-error codes the converter's callers understand. Linux numbers collide with them
// (ENODEV is 19, the write-protect code callers test), so nothing passes through untranslated.
#include <cstdint>
#include <span>

#include "linux/kernel_abi.h"

namespace converter::linux_floppy {

// A failure with nothing else known about the drive; errno positive or negative.
uint32_t lastErrorForErrno(int error);

// A controller-drive failure seen together with the drive's status flags: an empty drive and a protected
// medium explain EIO, EROFS and ENODEV better than the number itself.
uint32_t lastErrorWithStatus(int error, const DriveStatus& status);

struct SenseVerdict {
    bool retry = false;  // unit attention: the medium changed or the drive reset; ask once more
    bool unformatted = false;
    uint32_t lastError = 0;  // 0: no error
};

// Fixed-format sense data after a CHECK CONDITION.
SenseVerdict judgeSense(std::span<const uint8_t> sense);

}  // namespace converter::linux_floppy
