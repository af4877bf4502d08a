#include "drive_inspection.h"

#include "held_drive.h"
#include "media_types.h"

namespace converter::actions {

DriveInspection inspectDrive(FloppyAccess& access, int floppyDrive, std::optional<int> diagnosisSelector) {
    DriveInspection look;
    HeldDrive held(access, floppyDrive);
    if (!held.open()) {
        look.failure = Failure::DriveNotOpened;
        look.code = static_cast<int>(access.LastError());
        return look;
    }
    DiskGeometry geometry{};
    if (diagnosisSelector) {
        std::string text;
        if (access.DiagnoseDrive(held.handle(), floppyDrive, geometry, text, *diagnosisSelector) == 1) {
            look.diagnosis = text;
            look.facts.medium = geometry;
        }
    } else if (access.QueryGeometry(held.handle(), floppyDrive, geometry)) {
        look.facts.medium = geometry;
    }
    if (access.QueryMediaTypes(held.handle()) > 0) {
        const auto types = access.MediaTypes();
        look.facts.types.assign(types.begin(), types.end());
    }
    if (look.facts.medium && look.facts.medium->mediaType == RemovableMedia) {
        // A removable hard disk is no floppy; whether it is held elsewhere does not matter then.
        look.failure = Failure::RemovableMedium;
    } else if (!held.lock()) {
        look.failure = Failure::DriveLocked;
        look.code = static_cast<int>(access.LastError());
    }
    // The lock only tested it: unlocked and closed on the way out.
    return look;
}

}  // namespace converter::actions
