#pragma once
// FORMAT_PARAMETERS: the input of IOCTL_DISK_FORMAT_TRACKS, five little-endian 32-bit words.
#include "layout_block.h"

namespace converter::winnt {

struct FORMAT_PARAMETERS : LayoutBlock<20> {
    static constexpr Field MediaType{0, 4};
    static constexpr Field StartCylinderNumber{4, 4};
    static constexpr Field EndCylinderNumber{8, 4};
    static constexpr Field StartHeadNumber{12, 4};
    static constexpr Field EndHeadNumber{16, 4};
};
static_assert(sizeof(FORMAT_PARAMETERS) == 20);
static_assert(tiles(std::array{FORMAT_PARAMETERS::MediaType, FORMAT_PARAMETERS::StartCylinderNumber,
                               FORMAT_PARAMETERS::EndCylinderNumber, FORMAT_PARAMETERS::StartHeadNumber,
                               FORMAT_PARAMETERS::EndHeadNumber},
                    20));

}  // namespace converter::winnt
