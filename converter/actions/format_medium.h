#pragma once
// A low-level format of the whole medium, as writing may start with and formatting does.
#include <optional>

#include "action_events.h"
#include "held_drive.h"

namespace converter::actions {

// Starts the formatting phase and formats every cylinder to the geometry, each a cylinder done for the
// observer. The failure, or nothing.
std::optional<Result> formatMedium(HeldDrive& held, const DiskGeometry& geometry, ActionObserver& observer);

}  // namespace converter::actions
