#pragma once
// The drive as a Windows NT device driver presents it: a stream of bytes at a position, tracks to format,
// and a last-error code for every failure. Shared by the emulated NT device and ImageFloppy.
#include <cstdint>
#include <span>

#include "emulation/emulated_drive.h"

namespace converter::emulation {

struct StreamResult {
    uint32_t error;  // 0: done
    uint32_t bytes;  // moved; fewer than asked at the end of the medium or in a short read
};

// Positions and lengths go in whole sectors and buffers start on a sector boundary, as raw device I/O
// wants; page-aligned buffers always do. A request that starts at the end of the medium moves nothing.
StreamResult readStream(EmulatedDrive& drive, uint64_t position, std::span<uint8_t> out);
StreamResult writeStream(EmulatedDrive& drive, uint64_t position, std::span<const uint8_t> in);

// Formats heads firstHead..lastHead of one cylinder as the given type. 0 or the last-error code.
uint32_t formatTracks(EmulatedDrive& drive, int32_t mediaType, uint32_t cylinder, uint32_t firstHead,
                      uint32_t lastHead);

}  // namespace converter::emulation
