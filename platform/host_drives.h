#pragma once
// What stands for drive letters on Linux: the home folder, "/", and every mounted disk file system.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class DriveType { Fixed, Removable, Optical };

struct HostDrive {
    std::string path;  // the mount point ("/", "/home/eva", "/media/eva/USB DISK")
    DriveType type = DriveType::Fixed;
    bool operator==(const HostDrive&) const = default;
};

// One line of /proc/self/mountinfo.
struct MountEntry {
    std::string mountPoint;  // octal escapes (\040 ...) decoded
    std::string fsType;      // "ext4", "fuse.sshfs"
    std::string source;      // "/dev/sda1"
    unsigned major = 0;
    unsigned minor = 0;
    bool operator==(const MountEntry&) const = default;
};

std::vector<MountEntry> parseMountInfo(std::string_view text);

// False for pseudo file systems (proc, sysfs, cgroup, devpts, tracefs, tmpfs, ...) and snap squashfs images.
bool isDiskFileSystem(const MountEntry& mount);

// Optical for sr* devices and iso9660/udf; removable when sysfs says so for the device or its parent disk.
// sysRoot is prefixed to every sysfs path ("/" on a real machine, a scratch folder in tests).
DriveType driveTypeOf(const MountEntry& mount, const std::string& sysRoot = "/");

// home first, then "/", then each disk mount in mountinfo order; no path twice, only folders that exist.
std::vector<HostDrive> hostDrivesFrom(const std::string& home, const std::vector<MountEntry>& mounts,
                                      const std::string& sysRoot = "/");

// The drives of this machine (HOME, /proc/self/mountinfo, /sys).
std::vector<HostDrive> listHostDrives();

// False when a pseudo file system is mounted on the folder (the mount table is read once).
bool isDiskFolder(const std::string& path);

// Whether the folder can be entered and listed by this process.
bool folderAccessible(const std::string& path);

}  // namespace platform
