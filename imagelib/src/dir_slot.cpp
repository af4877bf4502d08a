#include "dir_slot.h"

#include <algorithm>
#include <string_view>

#include "dos_time.h"
#include "le_bytes.h"

namespace orva {
namespace {

constexpr std::u16string_view kBadLongNameChars = u"\\/:*?\"<>|";

uint16_t firstClusterOf(const Slot& s) { return load16(s, 26); }

}  // namespace

bool isBlank(const Slot& s) { return std::all_of(s.begin(), s.end(), [&](uint8_t b) { return b == s[0]; }); }

bool isLongNamePart(const Slot& s) { return s[0] != kDeletedMark && firstClusterOf(s) == 0 && isLongNameAttr(s[11]); }

bool isHiddenSlot(const Slot& s) { return s[0] == kDeletedMark || s[0] == 0 || isLongNameAttr(s[11]) || isBlank(s); }

uint8_t CheckShortEntry(const Slot& s, const CheckLimits& limits) {
    if (s[0] == kDeletedMark) return 0;
    if (std::all_of(s.begin(), s.end(), [](uint8_t b) { return b == 0; })) return 0;
    if (firstClusterOf(s) >= limits.clusterLimit) return 1;
    bool fileEntry = (s[11] & (attr::kLabel | attr::kDirectory)) == 0;
    if (fileEntry && loadLe(s, 28, 4) > limits.imageBytes) return 2;
    std::string_view name(reinterpret_cast<const char*>(s.data()), 11);
    if (name == ".          " || name == "..         ") return 0;
    for (char c : name) {
        if (static_cast<uint8_t>(c) < 0x20 || kBadShortNameBytes.find(c) != std::string_view::npos) return 3;
    }
    return 0;
}

uint8_t CheckLongPart(const Slot& s, const CheckLimits& limits) {
    if (s[0] == kDeletedMark) return 0;
    if (s[11] != attr::kLongName) return 4;
    uint8_t seq = s[0];
    if (!(seq <= 20 || (seq >= kLastPartMark && seq <= kLastPartMark + 20))) return 5;
    if (limits.strict) {
        if (s[12] != 0) return 6;
        if (firstClusterOf(s) != 0) return 7;
    }
    for (size_t at : kPartCharOffsets) {
        char16_t c = load16(s, at);
        if (c == 0) break;
        if (kBadLongNameChars.find(c) != std::u16string_view::npos) return 8;
    }
    return 0;
}

uint8_t CheckLabelEntry(const Slot& s) {
    if (s[0] == kDeletedMark) return 0;
    for (size_t i = 0; i < 11; ++i) {
        if (s[i] < 0x20) return 9;
    }
    return 0;
}

uint8_t checkSlot(const Slot& s, const CheckLimits& limits) {
    if (isLongNameAttr(s[11])) return CheckLongPart(s, limits);
    if (s[11] & attr::kLabel) return CheckLabelEntry(s);
    return CheckShortEntry(s, limits);
}

void fillLabelSlot(Slot& slot, std::string_view label, uint32_t dosStamp) {
    constexpr size_t kLabelBytes = 11;
    std::fill_n(slot.begin(), kLabelBytes, ' ');
    std::copy_n(label.begin(), std::min(label.size(), kLabelBytes), slot.begin());
    slot[offsetof(DirEntry, attributes)] = attr::kLabel;
    storeLe(slot, offsetof(DirEntry, writeTime), 2, stampTime(dosStamp));
    storeLe(slot, offsetof(DirEntry, writeDate), 2, stampDate(dosStamp));
}

}  // namespace orva
