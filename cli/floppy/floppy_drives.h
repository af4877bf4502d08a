#pragma once
// The floppy drives the drive commands work with: this machine's, or drives emulated from scenario texts
// (--emulate a=SCENARIO, as in mirask), each with what stands behind its letter.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "drive_setup.h"

namespace cli {

struct FloppyDrives {
    converter::DriveSetup setup;
    std::map<std::string, std::string> devices;  // letter → "/dev/fd0", "/dev/sdb (USB)", "emulated"
};

// Nothing, said on stderr, when an emulated drive cannot be built.
std::optional<FloppyDrives> setUpDrives(const std::vector<std::string>& emulate);

// "a:" for "a", "A", "a:" or "A:"; nothing for anything else.
std::optional<std::string> driveLetter(const std::string& typed);

// 1 for "a:", the number the platform's requests take.
int driveNumber(const std::string& letter);

}  // namespace cli
