#pragma once
// DIOC_REGISTERS: the register block sent to VWIN32 and answered in place.
#include "layout_block.h"

namespace converter::win9x {

struct DIOC_REGISTERS : LayoutBlock<28> {
    static constexpr Field reg_EBX{0, 4};
    static constexpr Field reg_EDX{4, 4};
    static constexpr Field reg_ECX{8, 4};
    static constexpr Field reg_EAX{12, 4};
    static constexpr Field reg_EDI{16, 4};
    static constexpr Field reg_ESI{20, 4};
    static constexpr Field reg_Flags{24, 4};

    static constexpr uint32_t kCarry = 1;

    bool carry() const { return (get(reg_Flags) & kCarry) != 0; }
    // AH: the BIOS status after a failed absolute read or write.
    uint8_t ah() const { return static_cast<uint8_t>(get(reg_EAX) >> 8); }
};
static_assert(sizeof(DIOC_REGISTERS) == 28);
static_assert(tiles(std::array{DIOC_REGISTERS::reg_EBX, DIOC_REGISTERS::reg_EDX, DIOC_REGISTERS::reg_ECX,
                               DIOC_REGISTERS::reg_EAX, DIOC_REGISTERS::reg_EDI, DIOC_REGISTERS::reg_ESI,
                               DIOC_REGISTERS::reg_Flags},
                    28));

}  // namespace converter::win9x
