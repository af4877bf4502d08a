#pragma once
// What reading, writing and formatting need of the medium before they start: its geometry and a buffer of one
// of its cylinders.
#include <optional>

#include "action_events.h"
#include "held_drive.h"
#include "platform/aligned_buffer.h"

namespace converter::actions {

// The medium's geometry as the drive reports it; the failure when it cannot.
std::optional<Result> queryGeometry(HeldDrive& held, DiskGeometry& geometry);

// One cylinder, page-aligned; nothing for a geometry that names no sane cylinder size, or without memory.
std::optional<platform::AlignedBuffer> cylinderBuffer(const DiskGeometry& geometry);

}  // namespace converter::actions
