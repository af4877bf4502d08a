#pragma once
// Rescuing a failing floppy into an image: whole cylinders first, then the sectors of failed cylinders one
// by one, then rounds over what is still missing, each from a freshly recalibrated head. A ddrescue map
// beside the image keeps every sector's state, so a later run (with more rounds, after cleaning the disk, in
// another drive) reads only what is not finished.
#include <cstdint>
#include <string>

#include "action_drive.h"
#include "rescue_events.h"

namespace converter::actions {

struct RescueRequest {
    std::string imagePath;  // created, or continued when its map says so
    std::string mapPath;
    uint32_t retries = 3;     // rounds after the sector pass
    std::string commandLine;  // for the map's heading
    bool imageOnOpticalDrive = false;
    bool resume = true;  // false: an existing map is set aside and every sector read again
};

void rescueFloppy(const ActionDrive& drive, const RescueRequest& request, RescueObserver& observer);

// Whether an earlier run left something to continue: its map, and an image that holds its sectors. A map
// alone is not used (it would speak of bytes that are not there).
bool earlierRunThere(const RescueRequest& request);

}  // namespace converter::actions
