#pragma once
// What both programs' host trees show alike: the pictures of folders and drives (the first six of each
// program's pictures share these indices) and a file's size in kilobytes after its name.
#include <cstdint>
#include <string>

#include "platform/host_drives.h"

namespace desktop::picture {

inline constexpr int kFolder = 0;
inline constexpr int kFolderOpen = 1;
inline constexpr int kFixedDrive = 2;
inline constexpr int kOpticalDrive = 4;
inline constexpr int kRemovableDrive = 5;

inline int driveIcon(platform::DriveType type) {
    switch (type) {
        case platform::DriveType::Optical:
            return kOpticalDrive;
        case platform::DriveType::Removable:
            return kRemovableDrive;
        case platform::DriveType::Fixed:
            break;
    }
    return kFixedDrive;
}

// " (1440K)": whole kilobytes, rounded down.
inline std::string sizeSuffix(uint64_t bytes) {
    return " (" + std::to_string(bytes / 1024) + "K)";
}

}  // namespace desktop::picture
