#pragma once
// The FAT12 boot sector: every field with its offset and width, checked to tile the 512 bytes exactly.
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "le_bytes.h"

namespace orva::boot {

inline constexpr size_t kSectorBytes = 512;

struct Field {
    size_t offset;
    size_t width;
    constexpr size_t end() const { return offset + width; }
};

inline constexpr Field jump{0, 3};
inline constexpr Field oemName{3, 8};
inline constexpr Field bytesPerSector{11, 2};
inline constexpr Field sectorsPerCluster{13, 1};
inline constexpr Field reservedSectors{14, 2};
inline constexpr Field fatCount{16, 1};
inline constexpr Field rootEntries{17, 2};
inline constexpr Field totalSectors{19, 2};
inline constexpr Field mediaByte{21, 1};
inline constexpr Field sectorsPerFat{22, 2};
inline constexpr Field sectorsPerTrack{24, 2};
inline constexpr Field heads{26, 2};
inline constexpr Field hiddenSectors{28, 4};
inline constexpr Field largeSectors{32, 4};
inline constexpr Field driveNumber{36, 1};
inline constexpr Field reservedByte{37, 1};
inline constexpr Field extendedSignature{38, 1};
inline constexpr Field serialNumber{39, 4};
inline constexpr Field volumeLabel{43, 11};
inline constexpr Field fileSystemType{54, 8};
inline constexpr Field bootCode{62, 448};
inline constexpr Field signature{510, 2};

// The value of the extended signature that says the serial number, label and type fields are there.
inline constexpr uint8_t kExtendedSignatureValue = 0x29;

// The bytes the library keeps of a boot sector: everything before the boot code.
inline constexpr size_t kParamBytes = bootCode.offset;

namespace detail {
inline constexpr std::array kAllFields{jump,          oemName,        bytesPerSector, sectorsPerCluster,
                                       reservedSectors, fatCount,     rootEntries,    totalSectors,
                                       mediaByte,     sectorsPerFat,  sectorsPerTrack, heads,
                                       hiddenSectors, largeSectors,   driveNumber,    reservedByte,
                                       extendedSignature, serialNumber, volumeLabel,  fileSystemType,
                                       bootCode,      signature};
constexpr bool tiles() {
    size_t at = 0;
    for (const Field& f : kAllFields) {
        if (f.offset != at) return false;
        at = f.end();
    }
    return at == kSectorBytes;
}
}  // namespace detail
static_assert(detail::tiles(), "boot sector fields must follow each other and fill 512 bytes");

inline uint32_t get(std::span<const uint8_t> sector, Field f) { return loadLe(sector, f.offset, f.width); }
inline void put(std::span<uint8_t> sector, Field f, uint32_t value) { storeLe(sector, f.offset, f.width, value); }
inline void putText(std::span<uint8_t> sector, Field f, std::string_view text) {
    for (size_t i = 0; i < f.width; ++i) sector[f.offset + i] = i < text.size() ? static_cast<uint8_t>(text[i]) : ' ';
}

}  // namespace orva::boot
