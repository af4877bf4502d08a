#pragma once
// The parts of a zip archive (PKWARE's APPNOTE) that a zipped floppy image needs: local file headers, the
// central directory and its end record; no Zip64, no encryption, stored or deflated data.
#include <cstddef>
#include <cstdint>

namespace platform::containers::zip {

struct Field {
    size_t offset;
    size_t width;
};

inline constexpr uint32_t kLocalSignature = 0x04034B50;
inline constexpr uint32_t kCentralSignature = 0x02014B50;
inline constexpr uint32_t kEndSignature = 0x06054B50;

namespace local {
inline constexpr Field signature{0, 4};
inline constexpr Field versionNeeded{4, 2};
inline constexpr Field flags{6, 2};
inline constexpr Field method{8, 2};
inline constexpr Field time{10, 2};
inline constexpr Field date{12, 2};
inline constexpr Field crc{14, 4};
inline constexpr Field compressedSize{18, 4};
inline constexpr Field size{22, 4};
inline constexpr Field nameLength{26, 2};
inline constexpr Field extraLength{28, 2};
inline constexpr size_t kBytes = 30;
static_assert(extraLength.offset + extraLength.width == kBytes);
}  // namespace local

namespace central {
inline constexpr Field signature{0, 4};
inline constexpr Field versionMadeBy{4, 2};
inline constexpr Field versionNeeded{6, 2};
inline constexpr Field flags{8, 2};
inline constexpr Field method{10, 2};
inline constexpr Field time{12, 2};
inline constexpr Field date{14, 2};
inline constexpr Field crc{16, 4};
inline constexpr Field compressedSize{20, 4};
inline constexpr Field size{24, 4};
inline constexpr Field nameLength{28, 2};
inline constexpr Field extraLength{30, 2};
inline constexpr Field commentLength{32, 2};
inline constexpr Field disk{34, 2};
inline constexpr Field internalAttributes{36, 2};
inline constexpr Field externalAttributes{38, 4};
inline constexpr Field localOffset{42, 4};
inline constexpr size_t kBytes = 46;
static_assert(localOffset.offset + localOffset.width == kBytes);
}  // namespace central

namespace end {
inline constexpr Field signature{0, 4};
inline constexpr Field disk{4, 2};
inline constexpr Field directoryDisk{6, 2};
inline constexpr Field entriesHere{8, 2};
inline constexpr Field entries{10, 2};
inline constexpr Field directorySize{12, 4};
inline constexpr Field directoryOffset{16, 4};
inline constexpr Field commentLength{20, 2};
inline constexpr size_t kBytes = 22;
static_assert(commentLength.offset + commentLength.width == kBytes);
}  // namespace end

inline constexpr uint16_t kStored = 0;
inline constexpr uint16_t kDeflated = 8;
inline constexpr uint16_t kEncryptedFlag = 0x0001;
inline constexpr uint16_t kVersion20 = 20;

}  // namespace platform::containers::zip
