#pragma once
// The steps every action starts with once it needs the floppy, and the frame that gives the drive back before
// the caller hears how the run ended.
#include <optional>
#include <string>

#include "action_drive.h"
#include "action_result.h"
#include "held_drive.h"

namespace converter::actions {

// Opens and locks the drive and, on the NT line, waits for a medium, asking the observer each time none is
// there; then its medium counts as in use. The failure that stopped it, or nothing when the drive is ready.
std::optional<Result> takeDrive(HeldDrive& held, const ActionDrive& drive, ActionObserver& observer);

// Runs body (HeldDrive& → Result) with the drive held, gives the drive back, then tells the observer.
template <typename Body>
void runWithDrive(const ActionDrive& drive, ActionObserver& observer, Body body) {
    Result result;
    {
        HeldDrive held(drive.access, drive.number);
        result = body(held);
        result.driveTaken = held.locked();
    }
    observer.finished(result);
}

}  // namespace converter::actions
