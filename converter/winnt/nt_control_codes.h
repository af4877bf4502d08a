#pragma once
// The disk, storage and file-system control codes the NT variant sends, with their platform names.
#include <cstdint>

namespace converter::winnt {

inline constexpr uint32_t IOCTL_DISK_GET_DRIVE_GEOMETRY = 0x70000;
inline constexpr uint32_t IOCTL_STORAGE_GET_MEDIA_TYPES = 0x2D0C00;
inline constexpr uint32_t FSCTL_LOCK_VOLUME = 0x90018;
inline constexpr uint32_t FSCTL_UNLOCK_VOLUME = 0x9001C;
inline constexpr uint32_t IOCTL_STORAGE_CHECK_VERIFY = 0x2D4800;
inline constexpr uint32_t FSCTL_DISMOUNT_VOLUME = 0x90020;
inline constexpr uint32_t IOCTL_DISK_FORMAT_TRACKS = 0x7C018;

}  // namespace converter::winnt
