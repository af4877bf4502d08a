#pragma once
// The name that reaches an entry through the library's path lookup.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "short_name_text.h"

namespace orva {

// Short names are unique in a directory, so they are the safer handle; a long name is compared with "?" as a
// wildcard and may match a neighbour. Empty when no name of the entry reaches it.
inline std::string lookupName(const ShortName& shortName, const std::string& longName) {
    const ShortNameParts parts = storedNameParts(shortName, NameEnd::AfterLastNonBlank);
    const auto reachable = [](const std::string& part) {
        return std::all_of(part.begin(), part.end(),
                           [](char c) { return isLookupByte(static_cast<uint8_t>(c)); });
    };
    if (shortName[0] != ' ' && reachable(parts.base) && reachable(parts.extension)) return joinedName(parts);
    return longName;
}

}  // namespace orva
