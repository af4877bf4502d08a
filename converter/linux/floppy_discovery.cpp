#include "linux/floppy_discovery.h"

#include <algorithm>

#include "platform/linux_sys_calls.h"

namespace converter::linux_floppy {

namespace sys = platform::linux_sys;

namespace {

std::string trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ' || text.back() == '\r')) text.pop_back();
    return text;
}

// udev's record of the disk names it a floppy (usb_id for UFI, udisks for anything it knows).
bool udevSaysFloppy(const std::string& root, const std::string& name) {
    const auto numbers = sys::readSmallFile(root + "/sys/block/" + name + "/dev");
    if (!numbers) return false;
    const auto record = sys::readSmallFile(root + "/run/udev/data/b" + trimmed(*numbers));
    if (!record) return false;
    return record->find("E:ID_TYPE=floppy\n") != std::string::npos ||
           record->find("E:ID_DRIVE_FLOPPY=1\n") != std::string::npos;
}

// The USB interface behind the disk speaks UFI: mass storage class 08, subclass 04.
bool interfaceIsUfi(const std::string& root, const std::string& name) {
    const auto base = sys::resolvedPath(root.empty() ? "/" : root);
    auto dir = sys::resolvedPath(root + "/sys/block/" + name + "/device");
    if (!base || !dir) return false;
    while (dir->size() > base->size() && dir->starts_with(*base)) {
        if (const auto cls = sys::readSmallFile(*dir + "/bInterfaceClass")) {
            const auto sub = sys::readSmallFile(*dir + "/bInterfaceSubClass");
            return trimmed(*cls) == "08" && sub && trimmed(*sub) == "04";
        }
        dir->erase(dir->find_last_of('/'));
    }
    return false;
}

}  // namespace

std::vector<FloppyDevice> findFloppyDrives(const std::string& rootFolder) {
    std::string root = rootFolder;
    while (!root.empty() && root.back() == '/') root.pop_back();

    std::vector<FloppyDevice> found;
    for (int unit = 0; unit < 8; ++unit) {
        const std::string path = "/dev/fd" + std::to_string(unit);
        if (sys::pathExists(root + path)) found.push_back({"", path, DriveBackEnd::Controller});
    }
    std::vector<std::string> disks;
    for (const std::string& name : sys::listFolder(root + "/sys/block")) {
        if (name.starts_with("sd")) disks.push_back(name);
    }
    // sdz comes before sdaa, as the kernel hands them out.
    std::sort(disks.begin(), disks.end(), [](const std::string& a, const std::string& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    for (const std::string& name : disks) {
        if (udevSaysFloppy(root, name) || interfaceIsUfi(root, name)) {
            found.push_back({"", "/dev/" + name, DriveBackEnd::UsbFloppy});
        }
    }
    for (size_t i = 0; i < found.size() && i < 26; ++i) found[i].letter = std::string(1, char('a' + i)) + ":";
    found.resize(std::min<size_t>(found.size(), 26));
    return found;
}

}  // namespace converter::linux_floppy
