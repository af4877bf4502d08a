#pragma once
// A look at a floppy drive without changing anything: whether it can be had, the medium in it and the types
// it supports. What the window lists when a drive is chosen, and what formatting decides its type from.
#include <optional>
#include <string>
#include <vector>

#include "action_events.h"
#include "floppy_access.h"

namespace converter::actions {

struct DriveFacts {
    std::optional<DiskGeometry> medium{};  // when the drive could tell the medium's geometry
    std::vector<DiskGeometry> types{};     // the drive's supported types, in the platform's order
};

struct DriveInspection {
    // DriveNotOpened, RemovableMedium (not locked to test it) or DriveLocked, with their code; the drive is
    // not usable then. None otherwise.
    Failure failure = Failure::None;
    int code = 0;
    DriveFacts facts{};
    std::optional<std::string> diagnosis{};  // DiagnoseDrive's text, when asked for and given
};

// Opens the drive, asks for the medium's geometry (through DiagnoseDrive with the selector when there is
// one) and the supported types, tests that nobody else holds a lock on it, and closes it again.
DriveInspection inspectDrive(FloppyAccess& access, int floppyDrive,
                             std::optional<int> diagnosisSelector = std::nullopt);

}  // namespace converter::actions
