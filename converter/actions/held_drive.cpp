#include "held_drive.h"

#include "action_drive.h"

namespace converter::actions {

HeldDrive::~HeldDrive() {
    // Giving back goes on past a step that fails: nobody can do more about it, and the rest still counts.
    if (inUse_) access_.DismountDrive(handle());
    if (locked_) access_.UnlockDrive(handle(), drive_);
}

bool HeldDrive::open() {
    const FloppyHandle handle = access_.OpenDrive(driveText(drive_));
    if (handle == INVALID_HANDLE_VALUE) return false;
    opened_.emplace(access_, handle);
    return true;
}

bool HeldDrive::lock() {
    locked_ = access_.LockDrive(handle(), drive_);
    return locked_;
}

}  // namespace converter::actions
