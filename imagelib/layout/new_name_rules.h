#pragma once
// What a name must be to name a new entry: FAT's rules for long names, which every new name meets, and the
// host's character set the name comes in.
#include <cstddef>
#include <optional>
#include <string_view>

namespace orva {

// A long name holds at most 255 UTF-16 units.
inline constexpr size_t kMaxLongNameChars = 255;

// Why a name cannot name a new entry.
enum class NameFault {
    None,
    Empty,
    NotText,  // not valid in the host's character set (UTF-8)
    TooLong,  // more than kMaxLongNameChars UTF-16 units
};

// name in UTF-8; utf16Units: its length in UTF-16 units, nothing when it is not valid UTF-8.
inline NameFault newNameFault(std::string_view name, std::optional<size_t> utf16Units) {
    if (name.empty()) return NameFault::Empty;
    if (!utf16Units) return NameFault::NotText;
    if (*utf16Units > kMaxLongNameChars) return NameFault::TooLong;
    return NameFault::None;
}

}  // namespace orva
