#include "browser/image_item_name.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string_view>

#include "dir_entry_layout.h"
#include "platform/text_codec.h"
#include "short_name_text.h"

namespace browser {
namespace {

std::string shownBytes(const std::string& bytes, const char* codePage) {
    return platform::isAscii(bytes) ? bytes : platform::codePageToUtf8(bytes, codePage);
}

}  // namespace

std::string longNameOf(const DirEntry* entry, int32_t slotCount) {
    std::u16string longName;
    bool ended = false;
    for (int32_t part = 1; part < std::clamp(slotCount, 1, static_cast<int32_t>(orva::kGroupSlots)) && !ended;
         ++part) {
        const auto slot = std::bit_cast<std::array<uint8_t, orva::kSlotBytes>>(entry[part]);
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
    const std::string name =
        orva::joinedName(orva::shownNameParts(orva::shortNameOf(*entry), orva::NameEnd::AtFirstBlank));
    return shownBytes(name, "CP852");
}

std::string labelText(const uint8_t* bytes, size_t count) {
    return shownBytes(std::string(reinterpret_cast<const char*>(bytes), count), "CP1250");
}

}  // namespace browser
