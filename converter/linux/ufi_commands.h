#pragma once
// The UFI commands a USB floppy understands, as the 12-byte blocks and parameter lists sent through SG_IO.
#include <array>
#include <cstdint>

namespace converter::linux_floppy {

using Cdb = std::array<uint8_t, 12>;

inline constexpr Cdb kTestUnitReady{};
inline constexpr Cdb kReadCapacity{0x25};
// ufiformat's allocation length: the header, the current descriptor and six formattable ones.
inline constexpr uint16_t kFormatCapacitiesBytes = 0x40;
// Page 05h; usb-storage cuts a UFI MODE SENSE to the 8-byte header, whose byte 3 bit 7 is write protection.
inline constexpr uint8_t kModeSenseBytes = 8;
inline constexpr Cdb kModeSense{0x5A, 0, 0x05, 0, 0, 0, 0, 0, kModeSenseBytes, 0, 0, 0};
inline constexpr Cdb kReadFormatCapacities{0x23, 0, 0, 0, 0, 0, 0, 0, kFormatCapacitiesBytes, 0, 0, 0};

// Moves the head to track 0; optional in UFI, so a drive may refuse it.
inline constexpr Cdb kRezeroUnit{0x01};

// READ(10) of blocks from lba.
inline constexpr Cdb read10Cdb(uint32_t lba, uint16_t blocks) {
    return {0x28, 0, static_cast<uint8_t>(lba >> 24), static_cast<uint8_t>(lba >> 16), static_cast<uint8_t>(lba >> 8),
            static_cast<uint8_t>(lba), 0, static_cast<uint8_t>(blocks >> 8), static_cast<uint8_t>(blocks), 0, 0, 0};
}

// FORMAT UNIT of one track: format data, defect list format 7, a 12-byte parameter list.
inline constexpr Cdb formatUnitCdb(uint32_t cylinder) {
    return {0x04, 0x17, static_cast<uint8_t>(cylinder), 0, 0, 0, 0, 0, 0x0C, 0, 0, 0};
}

// Defect list header (format options valid, disable certification, single track, the side in bit 0) and the
// format descriptor: the medium's whole block count and the block length.
inline constexpr std::array<uint8_t, 12> formatUnitParameters(uint32_t head, uint32_t blocks, uint32_t blockBytes) {
    return {0x00,
            static_cast<uint8_t>(0xB0 | (head & 1)),
            0x00,
            0x08,
            static_cast<uint8_t>(blocks >> 24),
            static_cast<uint8_t>(blocks >> 16),
            static_cast<uint8_t>(blocks >> 8),
            static_cast<uint8_t>(blocks),
            0x00,
            static_cast<uint8_t>(blockBytes >> 16),
            static_cast<uint8_t>(blockBytes >> 8),
            static_cast<uint8_t>(blockBytes)};
}

// READ FORMAT CAPACITIES descriptor codes (bits 0-1 of byte 4 of the current descriptor).
inline constexpr uint8_t kUnformattedMedium = 1;
inline constexpr uint8_t kFormattedMedium = 2;
inline constexpr uint8_t kNoMedium = 3;

inline constexpr uint32_t kCommandTimeoutMs = 100000;

}  // namespace converter::linux_floppy
