#pragma once
// Formatting a floppy (the NT line only): a low-level format of every cylinder, then an empty FAT12 file
// system from the template of its type, laid down in cylinder 0.
#include <string>

#include "action_drive.h"
#include "action_events.h"
#include "drive_inspection.h"
#include "media_types.h"

namespace converter::actions {

struct FormatRequest {
    DriveFacts listed;               // what the drive said when it was last inspected
    MEDIA_TYPE mediaType = Unknown;  // Unknown: the medium's own type (or the type offered for it)
    std::string label{};             // empty: none
};

void formatFloppy(const ActionDrive& drive, const FormatRequest& request, ActionObserver& observer);

}  // namespace converter::actions
