#pragma once
// The floppy drives the drive commands work with: this machine's, or drives emulated from scenario texts
// (--emulate a=SCENARIO, as in mirask), each with what stands behind its letter.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "converter/dialog/converter_dialog.h"
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

// The services the converter's window gets from orva: the drive alone, and the image's folder as the only
// place for files (nothing when folder is empty), never looked into further than itself.
converter::dialog::ConverterServices servicesFor(const converter::FloppyDriveEntry& drive,
                                                 const std::string& folder);

// The window's options: no extension list, so image names stay exactly as typed.
converter::dialog::ConverterOptions optionsFor(const FloppyDrives& drives);

}  // namespace cli
