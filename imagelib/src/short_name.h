#pragma once
// Names of new entries: which names an 8.3 entry holds as they are, the stored 11 bytes, the checksum that
// ties long-name parts to their entry, and the aliases given to long names.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orva {

using ShortName = std::array<uint8_t, 11>;

// README.TXT: an 8.3 entry holds it as it is. Every other name gets long-name parts and an alias.
bool isPlainShortName(std::string_view name);

// The stored form of an 8.3 text, split at its last dot: "README.TXT" → "README  TXT".
ShortName storedForm(std::string_view shortText);

uint8_t shortNameChecksum(const ShortName& name);

inline constexpr int kAliasCandidates = 50;
// The alias a long name gets when the ones before it are taken: ordinal 0 gives BASE~1.EXT, then ~2 ...
// ~9, ~0, ~A ...; nothing beyond the 50th.
std::optional<std::string> aliasCandidate(std::string_view longName, int ordinal);

}  // namespace orva
