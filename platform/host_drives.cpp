#include "platform/host_drives.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <unordered_set>

#include "platform/linux_sys_calls.h"

namespace platform {

namespace {

bool isOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

// The kernel writes space, tab, newline and backslash in mountinfo fields as \ooo.
std::string decodeOctalEscapes(std::string_view field) {
    std::string text;
    text.reserve(field.size());
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && isOctalDigit(field[i + 1]) &&
            isOctalDigit(field[i + 2]) && isOctalDigit(field[i + 3])) {
            const int value = (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
            if (value <= 0xFF) {
                text.push_back(static_cast<char>(value));
                i += 3;
                continue;
            }
        }
        text.push_back(field[i]);
    }
    return text;
}

// Fields are separated by exactly one space; an empty source shows up as an empty field, so never collapse.
std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    while (true) {
        const size_t space = line.find(' ', start);
        fields.push_back(
            line.substr(start, space == std::string_view::npos ? std::string_view::npos : space - start));
        if (space == std::string_view::npos) break;
        start = space + 1;
    }
    return fields;
}

bool parseNumber(std::string_view text, unsigned& value) {
    if (text.empty()) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size();
}

std::optional<MountEntry> parseMountLine(std::string_view line) {
    const std::vector<std::string_view> fields = splitFields(line);
    // id parent major:minor root mountpoint options [optional...] - fstype source superoptions
    if (fields.size() < 10) return std::nullopt;
    const auto separator = std::find(fields.begin() + 6, fields.end(), std::string_view("-"));
    if (separator == fields.end() || std::distance(separator, fields.end()) < 3) return std::nullopt;

    const std::string_view device = fields[2];
    const size_t colon = device.find(':');
    MountEntry entry;
    if (colon == std::string_view::npos || !parseNumber(device.substr(0, colon), entry.major) ||
        !parseNumber(device.substr(colon + 1), entry.minor))
        return std::nullopt;
    entry.mountPoint = decodeOctalEscapes(fields[4]);
    entry.fsType = decodeOctalEscapes(*(separator + 1));
    entry.source = decodeOctalEscapes(*(separator + 2));
    if (entry.mountPoint.empty() || entry.fsType.empty()) return std::nullopt;
    return entry;
}

std::string sysBlockPath(const MountEntry& mount, const std::string& sysRoot) {
    std::string root = sysRoot;
    while (!root.empty() && root.back() == '/') root.pop_back();
    return root + "/sys/dev/block/" + std::to_string(mount.major) + ":" + std::to_string(mount.minor);
}

std::string baseName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool isOpticalDeviceName(const std::string& name) {
    return name.size() > 2 && name.starts_with("sr") &&
           std::all_of(name.begin() + 2, name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool readsOne(const std::optional<std::string>& text) {
    if (!text) return false;
    const size_t first = text->find_first_not_of(" \t\r\n");
    return first != std::string::npos && (*text)[first] == '1';
}

bool isDirectory(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

// Without HOME there is no home drive; the password database is not asked, so static programs (the
// end-to-end probes) link this without the C library's name service.
std::string homeFolder() {
    const char* home = std::getenv("HOME");
    return home != nullptr ? home : "";
}

}  // namespace

std::vector<MountEntry> parseMountInfo(std::string_view text) {
    std::vector<MountEntry> mounts;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        if (auto entry = parseMountLine(text.substr(start, end - start))) mounts.push_back(std::move(*entry));
        start = end + 1;
    }
    return mounts;
}

bool isDiskFileSystem(const MountEntry& mount) {
    static const std::unordered_set<std::string_view> pseudo = {
        "proc",          "sysfs",      "cgroup",    "cgroup2", "devpts",          "devtmpfs",    "tmpfs",
        "ramfs",         "rootfs",     "tracefs",   "debugfs", "securityfs",      "pstore",      "bpf",
        "mqueue",        "hugetlbfs",  "configfs",  "fusectl", "autofs",          "binfmt_misc", "nsfs",
        "efivarfs",      "rpc_pipefs", "selinuxfs", "nfsd",    "cpuset",          "sockfs",      "pipefs",
        "anon_inodefs",  "devfs",      "usbfs",     "xenfs",   "fuse.gvfsd-fuse", "fuse.portal", "fuse.lxcfs",
        "fuse.snapfuse", "squashfs",
    };
    return !pseudo.contains(mount.fsType);
}

DriveType driveTypeOf(const MountEntry& mount, const std::string& sysRoot) {
    if (mount.fsType == "iso9660" || mount.fsType == "udf") return DriveType::Optical;
    if (isOpticalDeviceName(baseName(mount.source))) return DriveType::Optical;
    // Anonymous devices (major 0: btrfs subvolumes, overlays, network file systems) have no sysfs entry.
    if (mount.major == 0) return DriveType::Fixed;

    const std::string device = sysBlockPath(mount, sysRoot);
    if (const auto target = linux_sys::resolvedPath(device); target && isOpticalDeviceName(baseName(*target)))
        return DriveType::Optical;
    // A partition has no removable file of its own; the kernel resolves ".." through the link to its disk.
    std::optional<std::string> removable = linux_sys::readSmallFile(device + "/removable");
    if (!removable) removable = linux_sys::readSmallFile(device + "/../removable");
    return readsOne(removable) ? DriveType::Removable : DriveType::Fixed;
}

std::vector<HostDrive> hostDrivesFrom(const std::string& home, const std::vector<MountEntry>& mounts,
                                      const std::string& sysRoot) {
    std::vector<HostDrive> drives;
    const auto add = [&](const std::string& rawPath, DriveType type) {
        const std::string path = withoutTrailingSlashes(rawPath);
        if (path.empty()) return;
        if (std::any_of(drives.begin(), drives.end(), [&](const HostDrive& d) { return d.path == path; }))
            return;
        // Containers bind-mount single files (/etc/hosts); only folders can stand for a drive.
        if (!isDirectory(path)) return;
        drives.push_back({path, type});
    };

    add(home, DriveType::Fixed);
    // The last mount on "/" is the one visible.
    const auto root =
        std::find_if(mounts.rbegin(), mounts.rend(), [](const MountEntry& m) { return m.mountPoint == "/"; });
    add("/", root == mounts.rend() ? DriveType::Fixed : driveTypeOf(*root, sysRoot));
    for (const MountEntry& mount : mounts)
        if (isDiskFileSystem(mount)) add(mount.mountPoint, driveTypeOf(mount, sysRoot));
    return drives;
}

std::vector<HostDrive> listHostDrives() {
    std::ifstream in("/proc/self/mountinfo", std::ios::binary);
    std::ostringstream text;
    if (in) text << in.rdbuf();
    return hostDrivesFrom(homeFolder(), parseMountInfo(text.str()), "/");
}

bool isDiskFolder(const std::string& path) {
    static const std::vector<std::string> pseudo = [] {
        std::ifstream in("/proc/self/mountinfo", std::ios::binary);
        std::ostringstream text;
        if (in) text << in.rdbuf();
        std::vector<std::string> points;
        for (const MountEntry& mount : parseMountInfo(text.str())) {
            // tmpfs holds real files (often /tmp): only the kernel's own views are left out.
            if (!isDiskFileSystem(mount) && mount.fsType != "tmpfs" && mount.fsType != "ramfs")
                points.push_back(mount.mountPoint);
        }
        return points;
    }();
    return std::find(pseudo.begin(), pseudo.end(), path) == pseudo.end();
}

bool folderAccessible(const std::string& path) {
    DIR* dir = ::opendir(path.c_str());
    if (dir == nullptr) return false;
    ::closedir(dir);
    return true;
}

}  // namespace platform
