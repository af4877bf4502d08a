#pragma once
// The floppy drive an action works on, and how the platform names it.
#include <string>

#include "floppy_access.h"
#include "os_kind.h"

namespace converter::actions {

struct ActionDrive {
    FloppyAccess& access;
    int number = 1;  // 1 = A:
    OsKind osKind = OsKind::Nt;
};

// 'A' for drive 1.
inline char driveLetter(int number) {
    return static_cast<char>(number + 64);
}

// "A:" for drive 1: what OpenDrive takes.
inline std::string driveText(int number) {
    return std::string(1, driveLetter(number)) + ":";
}

}  // namespace converter::actions
