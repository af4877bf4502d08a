#pragma once
// Which floppy drives the converter works with: the machine's real ones, or drives emulated from scenario
// texts (for people without a floppy drive, for demonstrations and tests), through one of the platform
// variants.
#include <memory>
#include <string>
#include <vector>

#include "floppy_access.h"
#include "os_kind.h"

namespace converter {

// One floppy drive: its letter ("a:") and the access that reaches it.
struct FloppyDriveEntry {
    std::string letter;
    FloppyAccess* access = nullptr;
};

struct DriveSetup {
    std::vector<FloppyDriveEntry> entries;
    OsKind osKind = OsKind::Nt;
    std::vector<std::shared_ptr<void>> owned;  // drives, devices and accesses the entries point into
    std::string error;                         // why the setup failed; empty when it did not
};

// The drives findFloppyDrives lists (controller drives, then USB floppies), through the Linux variant.
DriveSetup realDrives();

// emulate holds "LETTER=SCENARIO" texts ("a=1.44M:disk.img:bad=3/1/5:wp"); platformLine is "" (this host's
// own variant, the NT line), "nt" or "9x" (the variant of that platform over its emulated device).
DriveSetup emulatedDrives(const std::vector<std::string>& emulate, const std::string& platformLine);

}  // namespace converter
