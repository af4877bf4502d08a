#pragma once
// DEVICEPARAMS: the block of DOS Get Device Parameters (IOCTL 440Dh, minor 60h), in the part we use.
#include "layout_block.h"

namespace converter::win9x {

// The request writes 38 bytes; the caller reserves 40.
struct DEVICEPARAMS : LayoutBlock<40> {
    static constexpr Field dpSpecFunc{0, 1};  // in: 1 = the medium now in the drive, 0 = the default medium
    static constexpr Field dpDevType{1, 1};
    static constexpr Field dpDevAttr{2, 2};
    static constexpr Field dpCylinders{4, 2};
    static constexpr Field dpMediaType{6, 1};
    static constexpr Field dpBPB{7,
                                 31};  // the boot sector's parameter block from byte 11 on, 6 bytes reserved
    static constexpr Field dpReserved{38, 2};

    // Inside dpBPB: the media descriptor, byte 10 of the parameter block.
    static constexpr Field dpBpbMediaDescriptor{17, 1};
    // A boot sector field at offset o lies at o - kBootToParams here.
    static constexpr size_t kBootToParams = 11 - 7;
    static constexpr size_t kAnsweredBytes = dpReserved.offset;
};
static_assert(sizeof(DEVICEPARAMS) == 40);
static_assert(tiles(std::array{DEVICEPARAMS::dpSpecFunc, DEVICEPARAMS::dpDevType, DEVICEPARAMS::dpDevAttr,
                               DEVICEPARAMS::dpCylinders, DEVICEPARAMS::dpMediaType, DEVICEPARAMS::dpBPB,
                               DEVICEPARAMS::dpReserved},
                    40));
static_assert(DEVICEPARAMS::dpBpbMediaDescriptor.offset == DEVICEPARAMS::dpBPB.offset + 10);
static_assert(DEVICEPARAMS::dpBpbMediaDescriptor.offset + DEVICEPARAMS::kBootToParams == 21);

}  // namespace converter::win9x
