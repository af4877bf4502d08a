#pragma once
// Reading a whole floppy into an image file, a cylinder per request; a cylinder that fails is read again
// sector by sector, and each sector that still fails is filled with 0xEE unless the observer stops the read
// there.
#include <string>

#include "action_drive.h"
#include "action_events.h"

namespace converter::actions {

struct ReadRequest {
    std::string imagePath;  // created, or replaced without a question
    bool imageOnOpticalDrive = false;
};

void readFloppy(const ActionDrive& drive, const ReadRequest& request, ActionObserver& observer);

}  // namespace converter::actions
