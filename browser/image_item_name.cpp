#include "browser/image_item_name.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string_view>

#include "long_name_layout.h"
#include "platform/text_codec.h"

namespace browser {
namespace {

constexpr int32_t kMaxSlots = 22;  // an entry and at most 21 long-name parts
constexpr uint8_t kStandsForE5 = 0x05;

std::string shownBytes(const std::string& bytes, const char* codePage) {
    return platform::isAscii(bytes) ? bytes : platform::codePageToUtf8(bytes, codePage);
}

std::string upToBlank(const uint8_t* bytes, size_t count) {
    std::string part;
    for (size_t i = 0; i < count && bytes[i] != ' '; ++i) part += static_cast<char>(bytes[i]);
    return part;
}

}  // namespace

std::string longNameOf(const DirEntry* entry, int32_t slotCount) {
    std::u16string longName;
    bool ended = false;
    for (int32_t part = 1; part < std::clamp(slotCount, 1, kMaxSlots) && !ended; ++part) {
        const auto slot = std::bit_cast<std::array<uint8_t, 32>>(entry[part]);
        for (size_t at : orva::kPartCharOffsets) {
            const auto c = static_cast<char16_t>(slot[at] | (slot[at + 1] << 8));
            if (c == 0xFFFF) break;  // the rest of this part is padding
            if (c == 0) {
                ended = true;
                break;
            }
            longName.push_back(c);
        }
    }
    return platform::utf16ToUtf8(longName);
}

std::string imageItemName(const DirEntry* entry, int32_t slotCount) {
    if (std::string longName = longNameOf(entry, slotCount); !longName.empty()) return longName;
    std::string name = upToBlank(entry->name, sizeof entry->name);
    if (!name.empty() && static_cast<uint8_t>(name[0]) == kStandsForE5) name[0] = static_cast<char>(0xE5);
    if (entry->extension[0] != ' ') name += "." + upToBlank(entry->extension, sizeof entry->extension);
    return shownBytes(name, "CP852");
}

std::string labelText(const uint8_t* bytes, size_t count) {
    return shownBytes(std::string(reinterpret_cast<const char*>(bytes), count), "CP1250");
}

}  // namespace browser
