#pragma once
// What the controller's status bytes say about one raw command, as the converter's outcomes and last-error
// codes. The driver returns success for any command the controller finished; the verdict is in ST0-ST2.
#include <array>
#include <cstdint>
#include <optional>

#include "floppy_access.h"
#include "linux/fdc_raw_command.h"

namespace converter::linux_floppy {

struct ReadDataVerdict {
    RawReadOutcome outcome = RawReadOutcome::Failed;
    uint32_t code = 0;
    bool wrongTrack = false;  // the head sits over another cylinder: recalibrate before trying again
};

// READ DATA of one sector, as the driver handed it back.
ReadDataVerdict judgeReadData(const RawCommand& reply);

// READ ID: the header found (C H R N), or nothing with the code that explains why.
struct ReadIdVerdict {
    std::optional<std::array<uint8_t, 4>> header;
    uint32_t code = 0;
};
ReadIdVerdict judgeReadId(const RawCommand& reply);

// RECALIBRATE and SEEK end with the sense interrupt's ST0 and the cylinder the head is on.
struct SeekVerdict {
    bool ok = false;
    bool trackZeroMissed = false;  // RECALIBRATE stepped its most and saw no track 0: send it again
    uint8_t cylinder = 0;
    uint32_t code = 0;
};
SeekVerdict judgeSeek(const RawCommand& reply);

}  // namespace converter::linux_floppy
