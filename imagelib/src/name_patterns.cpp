#include "name_patterns.h"

#include <algorithm>

#include "platform/text_codec.h"
#include "short_name_text.h"

namespace orva {
namespace {

constexpr std::string_view kLookupChars = "1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ~!@#$%'-_{}`()";
constexpr std::string_view kLongNameForcers = "\\*?.\"[];,=:/";

constexpr size_t kExtensionAt = kBaseBytes;
// The longest 8.3 text: base, dot and extension.
constexpr size_t kMaxShortText = kBaseBytes + 1 + kExtensionBytes;

}  // namespace

std::optional<ShortPattern> lookupShortPattern(std::string_view name) {
    if (name.size() > kMaxShortText) return std::nullopt;
    ShortPattern p{};
    std::fill_n(p.begin(), kShortNameBytes, ' ');
    size_t at = 0;
    bool dotSeen = false;
    for (size_t i = 0; i < name.size(); ++i) {
        char c = name[i];
        if (c == '.' && !dotSeen && name.size() - i - 1 <= kExtensionBytes) {
            dotSeen = true;
            at = kExtensionAt;
            continue;
        }
        if (kLookupChars.find(c) == std::string_view::npos) return std::nullopt;
        if (at < kShortNameBytes) p[at] = static_cast<uint8_t>(c);
        ++at;
    }
    return p;
}

std::optional<ShortPattern> storedShortForm(std::string_view name) {
    size_t dot = name.find('.');
    std::string_view base = name.substr(0, dot);
    std::string_view ext = dot == std::string_view::npos ? std::string_view{} : name.substr(dot + 1);
    if (base.empty() || base.size() > kBaseBytes || ext.size() > kExtensionBytes) return std::nullopt;
    ShortPattern p{};
    std::fill_n(p.begin(), kShortNameBytes, ' ');
    auto place = [&](std::string_view part, size_t at) {
        for (char c : part) {
            const auto b = static_cast<uint8_t>(c);
            if (!isLookupByte(b)) return false;
            p[at++] = b;
        }
        return true;
    };
    if (!place(base, 0) || !place(ext, kExtensionAt)) return std::nullopt;
    return p;
}

std::optional<ShortPattern> enumShortPattern(std::string_view pattern) {
    if (pattern.size() > kMaxShortText) return std::nullopt;
    ShortPattern p{};
    size_t at = 0;
    bool dotSeen = false;
    int starsBefore = 0, starsAfter = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        auto b = static_cast<uint8_t>(pattern[i]);
        if (b < 0x21 || b > 0x7F) return std::nullopt;
        if (b == '.' && !dotSeen) {
            if (pattern.size() - i - 1 > kExtensionBytes) return std::nullopt;
            dotSeen = true;
            at = kExtensionAt;
            continue;
        }
        if (b == '*' && ++(dotSeen ? starsAfter : starsBefore) > 1) return std::nullopt;
        if (b >= 'a' && b <= 'z') b = static_cast<uint8_t>(b - 'a' + 'A');
        if (at < p.size()) p[at] = b;
        ++at;
    }
    return p;
}

std::optional<std::u16string> longPattern(std::string_view name) {
    auto text = platform::utf8ToUtf16(name);
    if (!text) return std::nullopt;
    text->push_back(u'\0');
    return text;
}

bool NeedsLongName(std::string_view part) {
    return std::any_of(part.begin(), part.end(), [](char c) {
        auto b = static_cast<uint8_t>(c);
        return b < 0x20 || b >= 0x7F || (b >= 'a' && b <= 'z') ||
               kLongNameForcers.find(c) != std::string_view::npos;
    });
}

}  // namespace orva
