#pragma once
// Writing an image file onto a floppy, a cylinder per request, once the image proved to be exactly of the
// medium's size; on the NT line the floppy may be formatted to its present geometry first.
#include <string>

#include "action_drive.h"
#include "action_events.h"

namespace converter::actions {

struct WriteRequest {
    std::string imagePath;
};

void writeImage(const ActionDrive& drive, const WriteRequest& request, ActionObserver& observer);

}  // namespace converter::actions
