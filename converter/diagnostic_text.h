#pragma once
// The /D diagnostic: what DOS says about the drive next to what the floppy's boot sector says.
#include <cstdint>
#include <span>
#include <string>

namespace converter {

// deviceParams: a Get Device Parameters block (at least 18 bytes); bootSector: sector 0 (at least 54 bytes).
// Empty when either is too short.
std::string diagnosticText(std::span<const uint8_t> deviceParams, std::span<const uint8_t> bootSector);

}  // namespace converter
