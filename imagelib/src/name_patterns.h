#pragma once
// How names typed by a caller become search patterns: the 8.3 way or the long-name way.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orva {

// An 8.3 pattern: name at 0..7, extension at 8..10 (FindMInDir keeps one byte more).
using ShortPattern = std::array<uint8_t, 12>;

// The lookup's 8.3 form of a name (blanks, then the name's characters); nothing when the name has to be
// looked up by its long name.
std::optional<ShortPattern> lookupShortPattern(std::string_view name);

// The stored form of a plain 8.3 name (A&B.TXT), for names the lookup sends the long way although an 8.3
// entry could hold them; nothing when the name cannot be one.
std::optional<ShortPattern> storedShortForm(std::string_view name);

// An enumeration's 8.3 pattern (zeros, letters upper-cased); nothing when it goes the long way.
std::optional<ShortPattern> enumShortPattern(std::string_view pattern);

// UTF-16 with its terminating 0; nothing for text that is not UTF-8.
std::optional<std::u16string> longPattern(std::string_view name);

// A name part that an 8.3 entry cannot hold as it is.
bool NeedsLongName(std::string_view part);

}  // namespace orva
