#include "entry_view.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <string_view>

#include "long_name_layout.h"
#include "lookup_name.h"
#include "platform/text_codec.h"

namespace cli {
namespace {

using Slot = std::array<uint8_t, 32>;

constexpr uint8_t kNameLowerCase = 0x08;
constexpr uint8_t kExtensionLowerCase = 0x10;
constexpr uint8_t kStandsForE5 = 0x05;  // a first byte of 0xE5 is stored as 0x05
constexpr int32_t kMaxSlots = 22;

std::string trimmedPart(const EntryView& e, size_t from, size_t length) {
    std::string part(e.shortName.begin() + static_cast<std::ptrdiff_t>(from),
                     e.shortName.begin() + static_cast<std::ptrdiff_t>(from + length));
    part.erase(part.find_last_not_of(' ') + 1);
    return part;
}

std::string readLongName(const DirEntry* entry, int32_t slotCount) {
    std::u16string name;
    for (int32_t part = 1; part < slotCount; ++part) {
        const auto slot = std::bit_cast<Slot>(entry[part]);
        for (size_t at : orva::kPartCharOffsets) {
            const char16_t c = static_cast<char16_t>(slot[at] | (slot[at + 1] << 8));
            if (c == 0x0000 || c == 0xFFFF) return platform::utf16ToUtf8(name);
            name.push_back(c);
        }
    }
    return platform::utf16ToUtf8(name);
}

void putDigits(char* at, int value, int digits) {
    for (int i = digits - 1; i >= 0; --i, value /= 10) at[i] = static_cast<char>('0' + value % 10);
}

}  // namespace

bool EntryView::isDotEntry() const {
    static constexpr std::array<uint8_t, 11> kDot{'.', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    static constexpr std::array<uint8_t, 11> kDotDot{'.', '.', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    return shortName == kDot || shortName == kDotDot;
}

EntryView captureEntry(const DirEntry* entry, int32_t slotCount) {
    EntryView v;
    std::copy(std::begin(entry->name), std::end(entry->name), v.shortName.begin());
    std::copy(std::begin(entry->extension), std::end(entry->extension), v.shortName.begin() + 8);
    v.attributes = entry->attributes;
    v.caseBits = entry->reserved;
    v.writeTime = entry->writeTime;
    v.writeDate = entry->writeDate;
    v.firstCluster = entry->firstCluster;
    v.size = entry->size;
    v.longName = readLongName(entry, std::clamp(slotCount, 1, kMaxSlots));
    return v;
}

EntryView rootEntry() {
    EntryView v;
    v.shortName.fill(' ');
    v.attributes = attr::kDirectory;
    v.firstCluster = 1;
    return v;
}

std::string shownShortName(const EntryView& e, const std::string& codePage) {
    std::string base = trimmedPart(e, 0, 8);
    std::string ext = trimmedPart(e, 8, 3);
    if (!base.empty() && static_cast<uint8_t>(base[0]) == kStandsForE5) base[0] = static_cast<char>(0xE5);
    // The case flags apply to the letters of the code page too (NÁVRH shown as návrh).
    const auto shown = [&](const std::string& part, bool lower) {
        // ASCII bytes are themselves in every DOS code page this shows.
        const std::string text = platform::isAscii(part) ? part : platform::codePageToUtf8(part, codePage);
        return lower ? platform::lowerCaseUtf8(text) : text;
    };
    base = shown(base, e.caseBits & kNameLowerCase);
    ext = shown(ext, e.caseBits & kExtensionLowerCase);
    return ext.empty() ? base : base + "." + ext;
}

std::string shownName(const EntryView& e, const std::string& codePage) {
    return e.longName.empty() ? shownShortName(e, codePage) : e.longName;
}

std::string storedShortName(const EntryView& e) {
    return orva::storedShortName(e.shortName);
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
    putDigits(&text[0], 1980 + (date >> 9), 4);
    putDigits(&text[5], (date >> 5) & 0x0F, 2);
    putDigits(&text[8], date & 0x1F, 2);
    putDigits(&text[11], time >> 11, 2);
    putDigits(&text[14], (time >> 5) & 0x3F, 2);
    return text;
}

}  // namespace cli
