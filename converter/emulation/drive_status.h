#pragma once
// How a request to the emulated drive ended, in the BIOS's own status numbers; each device speaks it in its
// own protocol (AH under VWIN32, a last-error code under NT).
#include <cstdint>

namespace converter::emulation {

enum class DriveStatus : uint8_t {
    Ok = 0x00,
    BadCommand = 0x01,
    AddressMarkNotFound = 0x02,  // also: an unformatted track
    WriteProtected = 0x03,
    SectorNotFound = 0x04,
    DmaOverrun = 0x08,
    CrcError = 0x10,
    ControllerFailure = 0x20,
    SeekFailed = 0x40,
    NotReady = 0x80,  // also: no medium
};

// The last-error code Windows NT reports for a failed floppy request.
uint32_t win32ErrorFor(DriveStatus status);

}  // namespace converter::emulation
