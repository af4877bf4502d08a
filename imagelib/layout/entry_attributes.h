#pragma once
// The attribute byte of a directory slot.
#include <cstdint>

namespace orva::attr {

inline constexpr uint8_t kReadOnly = 0x01, kHidden = 0x02, kSystem = 0x04, kLabel = 0x08, kDirectory = 0x10,
                         kArchive = 0x20;
// The four low bits tell the kinds apart: no 8.3 entry carries all of them, so together they mark a
// long-name part; a label's have kLabel alone.
inline constexpr uint8_t kKindBits = kReadOnly | kHidden | kSystem | kLabel;
inline constexpr uint8_t kLongName = kKindBits;
// What travels with a file between host and image, and what SetAttrib may change.
inline constexpr uint8_t kCarried = kReadOnly | kHidden | kSystem | kArchive;

}  // namespace orva::attr
