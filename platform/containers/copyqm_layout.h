#pragma once
// CopyQM (.cqm): a 133-byte header whose bytes sum to 0, a comment, then the sectors of every track in device
// order as runs: a signed 16-bit length, followed by that many literal bytes when positive, or by one byte
// repeated that many times when negative.
#include <cstddef>
#include <cstdint>

namespace platform::containers::cqm {

struct Field {
    size_t offset;
    size_t width;
};

inline constexpr Field kSignature{0x00, 2};  // "CQ"
inline constexpr Field kSectorBytes{0x03, 2};
inline constexpr Field kSectorsPerTrack{0x10, 2};
inline constexpr Field kHeads{0x12, 2};
inline constexpr Field kDescription{0x1C, 60};
inline constexpr Field kBlind{0x58, 1};
inline constexpr Field kDensity{0x59, 1};
inline constexpr Field kUsedCylinders{0x5A, 1};
inline constexpr Field kTotalCylinders{0x5B, 1};
inline constexpr Field kDataCrc{0x5C, 4};
inline constexpr Field kCommentLength{0x6F, 2};
inline constexpr Field kHeaderChecksum{0x84, 1};
inline constexpr size_t kHeaderBytes = 133;
static_assert(kHeaderChecksum.offset + kHeaderChecksum.width == kHeaderBytes);
static_assert(kDescription.offset + kDescription.width <= kBlind.offset);

// What CopyQM leaves in the tracks it did not copy (those past the used cylinders).
inline constexpr uint8_t kUncopiedFill = 0xF6;

}  // namespace platform::containers::cqm
