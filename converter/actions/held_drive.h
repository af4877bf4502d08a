#pragma once
// A floppy drive taken for one action. It is given back on every path as far as it was taken, in the order
// the platform wants: dismounted once its medium was in use, unlocked once locked, closed once opened.
#include <optional>

#include "floppy_access.h"

namespace converter::actions {

class HeldDrive {
  public:
    HeldDrive(FloppyAccess& access, int floppyDrive) : access_(access), drive_(floppyDrive) {}
    ~HeldDrive();
    HeldDrive(const HeldDrive&) = delete;
    HeldDrive& operator=(const HeldDrive&) = delete;

    // Each step false on failure, with the code in access().LastError().
    bool open();
    bool lock();
    // From here on the medium counts as used: the system must forget what it knew of it when given back.
    void mediumInUse() { inUse_ = true; }

    FloppyAccess& access() { return access_; }
    FloppyHandle handle() const { return opened_ ? opened_->handle() : INVALID_HANDLE_VALUE; }
    int number() const { return drive_; }
    bool locked() const { return locked_; }

  private:
    FloppyAccess& access_;
    int drive_;
    std::optional<OpenedDrive> opened_;  // closes the handle after the destructor's body
    bool locked_ = false;
    bool inUse_ = false;
};

}  // namespace converter::actions
