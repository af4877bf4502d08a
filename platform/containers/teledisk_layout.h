#pragma once
// TeleDisk (.td0): a 12-byte header, an optional comment block, then tracks, each a 4-byte header followed by
// its sectors (a 6-byte header and, for most, a data block); a track of 255 sectors ends the image. With "td"
// in place of "TD" everything after the header is LZHUF-compressed.
#include <cstddef>
#include <cstdint>

namespace platform::containers::td0 {

inline constexpr uint8_t kPlainSignature[2] = {'T', 'D'};
inline constexpr uint8_t kCompressedSignature[2] = {'t', 'd'};

struct Field {
    size_t offset;
    size_t width;
};

// The image header; its CRC covers the bytes before it.
inline constexpr Field kSignature{0, 2};
inline constexpr Field kVolumeSequence{2, 1};
inline constexpr Field kCheckSignature{3, 1};
inline constexpr Field kVersion{4, 1};
inline constexpr Field kDataRate{5, 1};
inline constexpr Field kDriveType{6, 1};
inline constexpr Field kStepping{7, 1};
inline constexpr Field kDosAllocation{8, 1};
inline constexpr Field kSides{9, 1};
inline constexpr Field kHeaderCrc{10, 2};
inline constexpr size_t kHeaderBytes = 12;
static_assert(kHeaderCrc.offset + kHeaderCrc.width == kHeaderBytes);

inline constexpr uint8_t kCommentFlag = 0x80;  // in the stepping byte
// Versions before 2.0 compressed with a 12-bit LZW of their own.
inline constexpr uint8_t kFirstLzhufVersion = 20;

// The comment block: CRC, length of the text, then the date (year since 1900, month, day, hour, minute,
// second) and the text.
inline constexpr Field kCommentLength{2, 2};
inline constexpr size_t kCommentHeaderBytes = 10;

// A track header: sector count, cylinder, head (bit 7: recorded in FM), CRC.
inline constexpr size_t kTrackHeaderBytes = 4;
inline constexpr uint8_t kEndOfImage = 0xFF;
inline constexpr uint8_t kHeadMask = 0x7F;

// A sector header: cylinder, head, sector number, size code, flags, CRC.
inline constexpr size_t kSectorIdAt = 2;
inline constexpr size_t kSizeCodeAt = 3;
inline constexpr size_t kFlagsAt = 4;
inline constexpr size_t kSectorHeaderBytes = 6;
inline constexpr uint8_t kLastSizeCode = 6;

enum SectorFlag : uint8_t {
    kDuplicate = 0x01,
    kDataError = 0x02,
    kDeletedData = 0x04,
    kNotAllocated = 0x10,  // skipped as unused by the DOS allocation mode: no data stored
    kNoData = 0x20,        // an ID field without a data field
};

// How a data block is stored.
enum Encoding : uint8_t {
    kRaw = 0,
    kRepeatedPair = 1,  // a 16-bit count and a 2-byte pattern
    kRuns = 2,          // blocks: 0 and a length then literals, or n and a count then a 2^n-byte pattern
};

// What TeleDisk's restore writes into a sector it did not store because DOS did not use it.
inline constexpr uint8_t kUnallocatedFill = 0xF6;

}  // namespace platform::containers::td0
