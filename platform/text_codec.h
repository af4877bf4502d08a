#pragma once
// Text conversions between UTF-8 (the host's narrow text), UTF-16 (long names) and DOS code pages (short
// names).
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Plain ASCII: every text of this kind is its own UTF-8 and needs no conversion.
bool isAscii(std::string_view bytes);

// Nothing when the text is not valid UTF-8.
std::optional<std::u16string> utf8ToUtf16(std::string_view text);
// Unpaired surrogates become U+FFFD.
std::string utf16ToUtf8(std::u16string_view text);
// A host name as text a person can be shown: bytes that are not UTF-8 become U+FFFD.
std::string shownUtf8(std::string_view bytes);
// Short names are raw bytes of a DOS code page; bytes that do not convert become '?'.
std::string codePageToUtf8(std::string_view bytes, const std::string& codePage = "CP852");

// Lower case of every letter, not only ASCII (short names carry a "shown in lower case" flag).
std::string lowerCaseUtf8(std::string_view text);

}  // namespace platform
