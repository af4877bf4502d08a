#pragma once
// What a name must be to name a new entry: FAT's rules for long names, which every new name meets, and the
// host's character set the name comes in.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace orva {

// A long name holds at most 255 UTF-16 units.
inline constexpr size_t kMaxLongNameChars = 255;
// Characters no FAT name may hold, besides the control characters; "\" also separates names in a path.
inline constexpr std::string_view kNotInNames = "\\/:*?\"<>|";

// Why a name cannot name a new entry.
enum class NameFault {
    None,
    Empty,
    DotName,             // "." or "..": names of a folder's own entries
    ControlChar,         // below 0x20, or 0x7F
    ForbiddenChar,       // one of kNotInNames
    TrailingDotOrBlank,  // other systems drop them, and the name would no longer find its own entry
    NotText,             // not valid in the host's character set (UTF-8)
    TooLong,             // more than kMaxLongNameChars UTF-16 units
};

// Where the first character no FAT name may hold stands; npos when there is none.
inline size_t forbiddenCharAt(std::string_view name) {
    for (size_t i = 0; i < name.size(); ++i) {
        const auto b = static_cast<uint8_t>(name[i]);
        if (b < 0x20 || b == 0x7F || kNotInNames.find(name[i]) != std::string_view::npos) return i;
    }
    return std::string_view::npos;
}

// name in UTF-8; utf16Units: its length in UTF-16 units, nothing when it is not valid UTF-8.
inline NameFault newNameFault(std::string_view name, std::optional<size_t> utf16Units) {
    if (name.empty()) return NameFault::Empty;
    if (name == "." || name == "..") return NameFault::DotName;
    if (const size_t at = forbiddenCharAt(name); at != std::string_view::npos) {
        return kNotInNames.find(name[at]) == std::string_view::npos ? NameFault::ControlChar
                                                                    : NameFault::ForbiddenChar;
    }
    if (name.back() == '.' || name.back() == ' ') return NameFault::TrailingDotOrBlank;
    if (!utf16Units) return NameFault::NotText;
    if (*utf16Units > kMaxLongNameChars) return NameFault::TooLong;
    return NameFault::None;
}

}  // namespace orva
