#include "short_name.h"

#include <algorithm>
#include <string>

#include "name_patterns.h"

namespace orva {
namespace {

constexpr std::string_view kAliasChars = "1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ~!@$#&%^_-'()`";
static_assert(kAliasChars.size() == kCharacterTails);

// Characters an 8.3 entry may not hold although they do not force a long name by themselves: other
// systems and fsck.fat reject short names with them, so such names get a long name and an alias.
constexpr std::string_view kNotInPlainShortNames = " +<>|";

// The alias characters taken from part of a name: a-z and the four after them lose bit 0x20 first.
std::string aliasChars(std::string_view part, size_t most) {
    std::string taken;
    for (char c : part) {
        if (taken.size() == most) break;
        auto b = static_cast<uint8_t>(c);
        if (b >= 0x61 && b <= 0x7E) b &= static_cast<uint8_t>(~0x20);
        if (kAliasChars.find(static_cast<char>(b)) != std::string_view::npos) taken += static_cast<char>(b);
    }
    return taken;
}

// An alias before its tail: the base of 8 characters, padded with "_", and the extension (maybe empty).
// Every character is already one an 8.3 entry stores as it is.
struct AliasParts {
    std::string base;
    std::string extension;
};

AliasParts aliasPartsOf(std::string_view longName) {
    AliasParts parts{aliasChars(longName, kBaseBytes), {}};
    parts.base.resize(kBaseBytes, '_');
    if (const size_t dot = longName.rfind('.'); dot != std::string_view::npos) {
        parts.extension = aliasChars(longName.substr(dot + 1), kExtensionBytes);
    }
    return parts;
}

// The 8 characters before the dot: the tail ("~1", "~A", "~10", "~100" ...) replaces the end of the base,
// so a longer tail keeps fewer of its characters.
std::string withTail(const AliasParts& parts, int ordinal) {
    std::string tail = "~";
    if (ordinal < kCharacterTails) {
        tail += kAliasChars[static_cast<size_t>(ordinal)];
    } else {
        tail += std::to_string(ordinal - kCharacterTails + kFirstNumericTail);
    }
    return parts.base.substr(0, parts.base.size() - tail.size()) + tail;
}

}  // namespace

bool isPlainShortName(std::string_view name) {
    if (name.size() > kBaseBytes + 1 + kExtensionBytes) return false;
    if (name.find_first_of(kNotInPlainShortNames) != std::string_view::npos) return false;
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return name.size() <= kBaseBytes && !name.empty() && !NeedsLongName(name);
    // A blank base (".ABC") is no valid 8.3 name either.
    return dot >= 1 && dot <= kBaseBytes && name.size() - dot <= 1 + kExtensionBytes &&
           !NeedsLongName(name.substr(0, dot)) && !NeedsLongName(name.substr(dot + 1));
}

ShortName storedForm(std::string_view text) {
    const size_t dot = text.rfind('.');
    const std::string_view ext = dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
    ShortName s = shortNameFrom(text.substr(0, dot), ext);
    std::transform(s.begin(), s.end(), s.begin(), [](uint8_t b) {
        return static_cast<uint8_t>(b >= 'a' && b <= 'z' ? b - 'a' + 'A' : b);
    });
    return s;
}

uint8_t shortNameChecksum(const ShortName& name) {
    uint8_t sum = 0;
    for (uint8_t b : name) sum = static_cast<uint8_t>(((sum & 1) << 7) + (sum >> 1) + b);
    return sum;
}

std::optional<std::string> aliasCandidate(std::string_view longName, int ordinal) {
    if (ordinal < 0 || ordinal >= kAliasCandidates) return std::nullopt;
    const AliasParts parts = aliasPartsOf(longName);
    return joinedName(withTail(parts, ordinal), parts.extension);
}

std::optional<ShortName> firstFreeAlias(std::string_view longName,
                                        const std::function<bool(const ShortName&)>& taken) {
    const AliasParts parts = aliasPartsOf(longName);
    for (int ordinal = 0; ordinal < kAliasCandidates; ++ordinal) {
        const ShortName candidate = shortNameFrom(withTail(parts, ordinal), parts.extension);
        if (!taken(candidate)) return candidate;
    }
    return std::nullopt;
}

size_t ShortNameHash::operator()(const ShortName& name) const noexcept {
    return std::hash<std::string_view>()(
        std::string_view(reinterpret_cast<const char*>(name.data()), name.size()));
}

}  // namespace orva
