#pragma once
// ImageDisk (.imd): an ASCII header line, a comment ended by 0x1A, then one record per track: a five-byte
// header, the sector numbering map, optional cylinder and head maps, and one data record per sector.
#include <array>
#include <cstdint>
#include <string_view>

namespace platform::containers::imd {

inline constexpr std::string_view kSignature = "IMD ";
inline constexpr uint8_t kCommentEnd = 0x1A;

// The track header, byte by byte.
inline constexpr size_t kModeAt = 0;
inline constexpr size_t kCylinderAt = 1;
inline constexpr size_t kHeadAt = 2;
inline constexpr size_t kSectorCountAt = 3;
inline constexpr size_t kSizeCodeAt = 4;
inline constexpr size_t kTrackHeaderBytes = 5;
static_assert(kSizeCodeAt + 1 == kTrackHeaderBytes);

// Flags in the head byte: the maps that follow the numbering map.
inline constexpr uint8_t kCylinderMapFlag = 0x80;
inline constexpr uint8_t kHeadMapFlag = 0x40;
inline constexpr uint8_t kHeadMask = 0x3F;

// Recording modes: 0..2 FM at 500, 300, 250 kbps, 3..5 MFM at the same rates.
inline constexpr uint8_t kLastMode = 5;
inline constexpr uint8_t kMfm500 = 3;
inline constexpr uint8_t kMfm250 = 5;

// Sector size codes 0..6: 128 << code bytes.
inline constexpr uint8_t kLastSizeCode = 6;

// Data records. Beyond "unavailable", each kind has an odd code (the whole sector follows) and the even code
// after it (one byte follows, filling the sector).
enum Record : uint8_t {
    kUnavailable = 0,
    kNormal = 1,
    kDeleted = 3,
    kDataError = 5,
    kDeletedDataError = 7,
    kLastRecord = 8,
};
inline constexpr bool isCompressed(uint8_t record) {
    return record != kUnavailable && record % 2 == 0;
}
inline constexpr uint8_t uncompressed(uint8_t record) {
    return isCompressed(record) ? record - 1 : record;
}

}  // namespace platform::containers::imd
