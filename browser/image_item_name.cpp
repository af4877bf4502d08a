#include "browser/image_item_name.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string_view>

#include "dir_entry_layout.h"
#include "long_name_text.h"
#include "platform/text_codec.h"
#include "short_name_text.h"

namespace browser {
namespace {

std::string shownBytes(const std::string& bytes, const char* codePage) {
    return platform::isAscii(bytes) ? bytes : platform::codePageToUtf8(bytes, codePage);
}

}  // namespace

std::string longNameOf(const DirEntry* entry, int32_t slotCount) {
    return platform::utf16ToUtf8(orva::longNameUnits(entry, slotCount));
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
