#include "dir_slot.h"

#include <algorithm>
#include <string_view>

#include "dos_time.h"
#include "le_bytes.h"
#include "short_name_text.h"

namespace orva {
namespace {

constexpr std::u16string_view kBadLongNameChars = u"\\/:*?\"<>|";

uint16_t firstClusterOf(const Slot& s) {
    return load16(s, offsetof(DirEntry, firstCluster));
}

}  // namespace

bool isBlank(const Slot& s) {
    return std::all_of(s.begin(), s.end(), [&](uint8_t b) { return b == s[0]; });
}

bool isLongNamePart(const Slot& s) {
    return s[0] != kDeletedMark && firstClusterOf(s) == 0 && isLongNameAttr(s[kAttributesAt]);
}

bool isHiddenSlot(const Slot& s) {
    return s[0] == kDeletedMark || s[0] == kEndMark || isLongNameAttr(s[kAttributesAt]) || isBlank(s);
}

uint8_t CheckShortEntry(const Slot& s, const CheckLimits& limits) {
    if (s[0] == kDeletedMark) return check::kPassed;
    if (std::all_of(s.begin(), s.end(), [](uint8_t b) { return b == 0; })) return check::kPassed;
    if (firstClusterOf(s) >= limits.clusterLimit) return check::kClusterOutOfLimits;
    bool fileEntry = (s[kAttributesAt] & (attr::kLabel | attr::kDirectory)) == 0;
    if (fileEntry && loadLe(s, offsetof(DirEntry, size), 4) > limits.imageBytes)
        return check::kSizeBeyondImage;
    const ShortName name = shortNameOf(slotEntry(s));
    if (isDotName(name)) return check::kPassed;
    for (uint8_t b : name) {
        if (b < 0x20 || kBadShortNameBytes.find(static_cast<char>(b)) != std::string_view::npos) {
            return check::kBadShortNameByte;
        }
    }
    return check::kPassed;
}

uint8_t CheckLongPart(const Slot& s, const CheckLimits& limits) {
    if (s[0] == kDeletedMark) return check::kPassed;
    if (s[kAttributesAt] != attr::kLongName) return check::kPartAttributes;
    uint8_t seq = s[0];
    if (!(seq <= kMaxPartNumber || (seq >= kLastPartMark && seq <= kLastPartMark + kMaxPartNumber))) {
        return check::kPartSequence;
    }
    if (limits.strict) {
        if (s[offsetof(LongNamePart, type)] != 0) return check::kPartType;
        if (firstClusterOf(s) != 0) return check::kPartCluster;
    }
    for (size_t at : kPartCharOffsets) {
        char16_t c = load16(s, at);
        if (c == 0) break;
        if (kBadLongNameChars.find(c) != std::u16string_view::npos) return check::kBadLongNameChar;
    }
    return check::kPassed;
}

uint8_t CheckLabelEntry(const Slot& s) {
    if (s[0] == kDeletedMark) return check::kPassed;
    for (size_t i = 0; i < kShortNameBytes; ++i) {
        if (s[i] < 0x20) return check::kBadLabelByte;
    }
    return check::kPassed;
}

uint8_t checkSlot(const Slot& s, const CheckLimits& limits) {
    if (isLongNameAttr(s[kAttributesAt])) return CheckLongPart(s, limits);
    if (s[kAttributesAt] & attr::kLabel) return CheckLabelEntry(s);
    return CheckShortEntry(s, limits);
}

void fillLabelSlot(Slot& slot, std::string_view label, uint32_t dosStamp) {
    std::fill_n(slot.begin(), kLabelBytes, ' ');
    std::copy_n(label.begin(), std::min(label.size(), kLabelBytes), slot.begin());
    slot[kAttributesAt] = attr::kLabel;
    storeLe(slot, offsetof(DirEntry, writeTime), 2, stampTime(dosStamp));
    storeLe(slot, offsetof(DirEntry, writeDate), 2, stampDate(dosStamp));
}

std::vector<SlotSpan> neighbourRuns(const std::vector<uint64_t>& offsets) {
    std::vector<SlotSpan> runs;
    for (size_t first = 0; first < offsets.size();) {
        size_t end = first + 1;
        while (end < offsets.size() && offsets[end] == offsets[end - 1] + kSlotBytes) ++end;
        runs.push_back({first, end - first});
        first = end;
    }
    return runs;
}

}  // namespace orva
