#include "host_attributes.h"

#include <charconv>
#include <string_view>

#include "entry_view.h"
#include "platform/host_extras.h"
#include "platform/path_info.h"

namespace cli {
namespace {

// Both of Samba's forms begin with the attributes as the text "0x..": the old one is nothing else, the
// newer binary one carries the same text first, NUL-terminated.
uint8_t dosAttribBits(const std::string& path) {
    const auto value = platform::dosAttributeText(path);
    if (!value || value->size() < 3) return 0;
    const std::string_view text(*value);
    if (!text.starts_with("0x") && !text.starts_with("0X")) return 0;
    unsigned bits = 0;
    const auto [end, error] = std::from_chars(text.data() + 2, text.data() + text.size(), bits, 16);
    if (error != std::errc{} || end == text.data() + 2) return 0;
    return static_cast<uint8_t>(bits & (attr::kHidden | attr::kSystem | attr::kArchive));
}

}  // namespace

uint8_t hostAttributes(const std::string& path, bool isFolder) {
    uint8_t bits = dosAttribBits(path);
    if (!isFolder) bits |= attr::kArchive;
    if (platform::inspectPath(path).writeProtected) bits |= attr::kReadOnly;
    return bits;
}

}  // namespace cli
