#pragma once
// DISKIO: the packet of an absolute disk read or write (INT 25h / 26h with CX = FFFFh), packed.
#include "layout_block.h"

namespace converter::win9x {

struct DISKIO : LayoutBlock<10> {
    static constexpr Field dwStartSector{0, 4};
    static constexpr Field wSectors{4, 2};
    static constexpr Field dwBuffer{6, 4};  // linear address of the data
};
static_assert(sizeof(DISKIO) == 10);
static_assert(tiles(std::array{DISKIO::dwStartSector, DISKIO::wSectors, DISKIO::dwBuffer}, 10));

}  // namespace converter::win9x
