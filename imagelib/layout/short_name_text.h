#pragma once
// The 11 stored bytes of an 8.3 name and its text "NAME.EXT", both ways.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "dir_entry_layout.h"

namespace orva {

inline constexpr size_t kBaseBytes = 8;
inline constexpr size_t kExtensionBytes = 3;
inline constexpr size_t kShortNameBytes = kBaseBytes + kExtensionBytes;
// Blank-padded: the base at 0..7, the extension at 8..10.
using ShortName = std::array<uint8_t, kShortNameBytes>;
// A volume label fills the same bytes as one field.
inline constexpr size_t kLabelBytes = kShortNameBytes;

// Bytes that make a stored short name malformed.
inline constexpr std::string_view kBadShortNameBytes = ".\"/\\[]:;=,|*?";
// A byte the library's 8.3 lookup can match when it is part of a name (blanks only pad the name).
inline bool isLookupByte(uint8_t b) {
    return b > 0x20 && b != 0x7F && kBadShortNameBytes.find(static_cast<char>(b)) == std::string_view::npos;
}

inline constexpr ShortName kDotName{'.', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
inline constexpr ShortName kDotDotName{'.', '.', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
inline bool isDotName(const ShortName& name) {
    return name == kDotName || name == kDotDotName;
}

inline ShortName shortNameOf(const DirEntry& e) {
    ShortName name;
    std::copy(std::begin(e.name), std::end(e.name), name.begin());
    std::copy(std::begin(e.extension), std::end(e.extension), name.begin() + kBaseBytes);
    return name;
}

inline void putShortName(DirEntry& e, const ShortName& name) {
    std::copy_n(name.begin(), kBaseBytes, e.name);
    std::copy_n(name.begin() + kBaseBytes, kExtensionBytes, e.extension);
}

// The stored form of a base and an extension: blank-padded, each cut to its field.
inline ShortName shortNameFrom(std::string_view base, std::string_view extension) {
    ShortName name;
    name.fill(' ');
    std::copy_n(base.begin(), std::min(base.size(), kBaseBytes), name.begin());
    std::copy_n(extension.begin(), std::min(extension.size(), kExtensionBytes), name.begin() + kBaseBytes);
    return name;
}

struct ShortNameParts {
    std::string base;
    std::string extension;
};

// Where each half of a stored name ends as text: after its last non-blank, as the library's lookup and
// other systems read it, or at its first blank, as the browser always has shown names.
enum class NameEnd { AfterLastNonBlank, AtFirstBlank };

inline ShortNameParts storedNameParts(const ShortName& name, NameEnd end) {
    const auto part = [&](size_t from, size_t length) {
        std::string text(name.begin() + static_cast<std::ptrdiff_t>(from),
                         name.begin() + static_cast<std::ptrdiff_t>(from + length));
        text.erase(end == NameEnd::AtFirstBlank ? std::min(text.find(' '), text.size())
                                                : text.find_last_not_of(' ') + 1);
        return text;
    };
    return {part(0, kBaseBytes), part(kBaseBytes, kExtensionBytes)};
}

// As a person sees the name: a leading 0x05 is the 0xE5 it stands for.
inline ShortNameParts shownNameParts(const ShortName& name, NameEnd end) {
    ShortNameParts parts = storedNameParts(name, end);
    if (!parts.base.empty() && static_cast<uint8_t>(parts.base[0]) == kStandsForE5) {
        parts.base[0] = static_cast<char>(kDeletedMark);
    }
    return parts;
}

// "NAME.EXT", or "NAME" without an extension.
inline std::string joinedName(const std::string& base, const std::string& extension) {
    return extension.empty() ? base : base + "." + extension;
}
inline std::string joinedName(const ShortNameParts& parts) {
    return joinedName(parts.base, parts.extension);
}

// "NAME.EXT" from the stored bytes as they are, blanks trimmed: what the library's 8.3 lookup matches.
inline std::string storedShortName(const ShortName& name) {
    return joinedName(storedNameParts(name, NameEnd::AfterLastNonBlank));
}

}  // namespace orva
