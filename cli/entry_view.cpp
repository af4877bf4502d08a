#include "entry_view.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>

#include "dos_stamp.h"
#include "long_name_text.h"
#include "lookup_name.h"
#include "platform/text_codec.h"

namespace cli {
namespace {

constexpr uint8_t kNameLowerCase = 0x08;
constexpr uint8_t kExtensionLowerCase = 0x10;

void putDigits(char* at, int value, int digits) {
    for (int i = digits - 1; i >= 0; --i, value /= 10) at[i] = static_cast<char>('0' + value % 10);
}

}  // namespace

EntryView captureEntry(const DirEntry* entry, int32_t slotCount) {
    EntryView v;
    v.shortName = orva::shortNameOf(*entry);
    v.attributes = entry->attributes;
    v.caseBits = entry->reserved;
    v.writeTime = entry->writeTime;
    v.writeDate = entry->writeDate;
    v.accessDate = entry->accessDate;
    v.firstCluster = entry->firstCluster;
    v.size = entry->size;
    v.longName = platform::utf16ToUtf8(orva::longNameUnits(entry, slotCount));
    return v;
}

EntryView rootEntry() {
    EntryView v;
    v.shortName.fill(' ');
    v.attributes = attr::kDirectory;
    v.firstCluster = orva::kRootCluster;
    return v;
}

std::string shownShortName(const EntryView& e, const std::string& codePage) {
    const orva::ShortNameParts stored = orva::shownNameParts(e.shortName, orva::NameEnd::AfterLastNonBlank);
    // The case flags apply to the letters of the code page too (NÁVRH shown as návrh).
    const auto shown = [&](const std::string& part, bool lower) {
        // ASCII bytes are themselves in every DOS code page this shows.
        const std::string text = platform::isAscii(part) ? part : platform::codePageToUtf8(part, codePage);
        return lower ? platform::lowerCaseUtf8(text) : text;
    };
    return orva::joinedName(shown(stored.base, e.caseBits & kNameLowerCase),
                            shown(stored.extension, e.caseBits & kExtensionLowerCase));
}

std::string shownName(const EntryView& e, const std::string& codePage) {
    return e.longName.empty() ? shownShortName(e, codePage) : e.longName;
}

std::string libraryName(const EntryView& e) {
    return orva::lookupName(e.shortName, e.longName);
}

std::string attributeText(uint8_t attributes) {
    std::string text = "-----";
    if (attributes & attr::kReadOnly) text[0] = 'r';
    if (attributes & attr::kHidden) text[1] = 'h';
    if (attributes & attr::kSystem) text[2] = 's';
    if (attributes & attr::kDirectory) text[3] = 'd';
    if (attributes & attr::kArchive) text[4] = 'a';
    return text;
}

std::string writeStampText(uint16_t date, uint16_t time) {
    if (date == 0) return "---------- --:--";
    // Formatted by hand: a listing prints one per entry and snprintf showed up in profiles.
    std::string text = "0000-00-00 00:00";
    const orva::CalendarTime t = orva::unpackDosStamp(date, time);
    putDigits(&text[0], t.year, 4);
    putDigits(&text[5], t.month, 2);
    putDigits(&text[8], t.day, 2);
    putDigits(&text[11], t.hour, 2);
    putDigits(&text[14], t.minute, 2);
    return text;
}

}  // namespace cli
