#include "take_drive.h"

namespace converter::actions {

std::optional<Result> takeDrive(HeldDrive& held, const ActionDrive& drive, ActionObserver& observer) {
    const std::string text = driveText(drive.number);
    if (!held.open())
        return failed(Failure::DriveNotOpened, static_cast<int>(drive.access.LastError()), text);
    if (!held.lock()) return failed(Failure::DriveLocked, static_cast<int>(drive.access.LastError()), text);
    // Only the NT line can tell an empty drive before a transfer fails.
    while (drive.osKind == OsKind::Nt && !drive.access.CheckMedia(held.handle())) {
        if (!observer.insertMedium()) return failed(Failure::NoMedium);
    }
    held.mediumInUse();
    return std::nullopt;
}

}  // namespace converter::actions
