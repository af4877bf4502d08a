#pragma once
// The floppy drives of this machine as the converter names them: controller drives first, then USB floppies,
// lettered a:, b:, ... in that order.
#include <string>
#include <vector>

namespace converter::linux_floppy {

enum class DriveBackEnd { Controller, UsbFloppy };

struct FloppyDevice {
    std::string letter;  // "a:"
    std::string path;    // "/dev/fd0", "/dev/sdb"
    DriveBackEnd backEnd = DriveBackEnd::Controller;
    bool operator==(const FloppyDevice&) const = default;
};

// root is prefixed to every path read ("/" on a real machine; a scratch folder in tests). Paths handed out
// never carry the root.
std::vector<FloppyDevice> findFloppyDrives(const std::string& root = "/");

}  // namespace converter::linux_floppy
