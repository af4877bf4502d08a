#pragma once
// The name that reaches an entry through the library's path lookup.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orva {

// "NAME.EXT" from the stored 8.3 bytes, blanks trimmed.
inline std::string storedShortName(const std::array<uint8_t, 11>& shortName) {
    const auto part = [&](size_t from, size_t length) {
        std::string text(shortName.begin() + static_cast<std::ptrdiff_t>(from),
                         shortName.begin() + static_cast<std::ptrdiff_t>(from + length));
        text.erase(text.find_last_not_of(' ') + 1);
        return text;
    };
    const std::string base = part(0, 8);
    const std::string ext = part(8, 3);
    return ext.empty() ? base : base + "." + ext;
}

// Short names are unique in a directory, so they are the safer handle; a long name is compared with "?" as a
// wildcard and may match a neighbour. Empty when no name of the entry reaches it.
inline std::string lookupName(const std::array<uint8_t, 11>& shortName, const std::string& longName) {
    // Bytes the library's 8.3 lookup cannot match when they are part of a name.
    constexpr std::string_view kUnreachable = ".\"/\\[]:;=,|*?";
    const auto reachable = [&](size_t from, size_t length) {
        std::string_view part(reinterpret_cast<const char*>(shortName.data()) + from, length);
        part = part.substr(0, part.find_last_not_of(' ') + 1);
        return std::none_of(part.begin(), part.end(), [&](char c) {
            const auto b = static_cast<uint8_t>(c);
            return b <= 0x20 || b == 0x7F || kUnreachable.find(c) != std::string_view::npos;
        });
    };
    if (shortName[0] != ' ' && reachable(0, 8) && reachable(8, 3)) return storedShortName(shortName);
    return longName;
}

}  // namespace orva
