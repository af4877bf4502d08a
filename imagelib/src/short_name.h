#pragma once
// Names of new entries: which names an 8.3 entry holds as they are, the stored 11 bytes, the checksum that
// ties long-name parts to their entry, and the aliases given to long names.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "short_name_text.h"

namespace orva {

// README.TXT: an 8.3 entry holds it as it is. Every other name gets long-name parts and an alias.
bool isPlainShortName(std::string_view name);

// The stored form of an 8.3 text, split at its last dot: "README.TXT" → "README  TXT".
ShortName storedForm(std::string_view shortText);

uint8_t shortNameChecksum(const ShortName& name);

// The aliases of a long name in the order they are tried. The first 50 put one character after the "~":
// BASE~1.EXT, then ~2 ... ~9, ~0, ~A ... ~`. Then come numeric tails ~10 ... ~999999, as other systems
// use, each overwriting as much of the 8-character base as it needs (HOLID~10, HOLI~100 ... H~999999).
inline constexpr int kCharacterTails = 50;
inline constexpr int kFirstNumericTail = 10;
inline constexpr int kLastNumericTail = 999999;
inline constexpr int kAliasCandidates = kCharacterTails + kLastNumericTail - kFirstNumericTail + 1;

// The alias at ordinal (0 gives BASE~1.EXT); nothing outside 0 ... kAliasCandidates - 1.
std::optional<std::string> aliasCandidate(std::string_view longName, int ordinal);

// The stored form of the first alias in that order that taken() calls free; nothing when every one is taken.
// taken() is asked once per candidate, in order, so a caller that answers from a set of the folder's names
// spends no more than one question per name in the folder.
std::optional<ShortName> firstFreeAlias(std::string_view longName,
                                        const std::function<bool(const ShortName&)>& taken);

// For sets of stored names.
struct ShortNameHash {
    size_t operator()(const ShortName& name) const noexcept;
};

}  // namespace orva
