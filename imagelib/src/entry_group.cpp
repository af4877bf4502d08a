#include "entry_group.h"

#include <algorithm>

#include "le_bytes.h"

namespace orva {

CalendarTime stampTimeOf(const platform::UtcTime& t) {
    if (t.year < 1980) return {1980, 1, 1, 0, 0, 0};
    return {t.year, t.month, t.day, t.hour, t.minute, t.second};
}

EntryStamps stampsAllAt(const platform::UtcTime& t) {
    const CalendarTime c = stampTimeOf(t);
    return {c, c, c};
}

DirEntry shortEntryOf(const NewEntry& e) {
    DirEntry d{};
    putShortName(d, e.shortName);
    d.attributes = e.attributes;
    const uint32_t created = PackDosStamp(e.stamps.created);
    const uint32_t written = PackDosStamp(e.stamps.written);
    d.createFine = (created & 1) ? 128 : 0;
    d.createTime = stampTime(created);
    d.createDate = stampDate(created);
    d.accessDate = stampDate(PackDosStamp(e.stamps.accessed));
    d.writeTime = stampTime(written);
    d.writeDate = stampDate(written);
    d.firstCluster = e.firstCluster;
    d.size = e.size;
    return d;
}

std::vector<Slot> buildEntryGroup(const NewEntry& e) {
    std::vector<Slot> slots;
    if (e.longName) {
        const std::u16string& name = *e.longName;
        const size_t parts = e.slotCount() - 1;
        const uint8_t sum = shortNameChecksum(e.shortName);
        for (size_t part = parts; part >= 1; --part) {
            Slot s{};
            s[0] = static_cast<uint8_t>(part | (part == parts ? kLastPartMark : 0));
            s[kAttributesAt] = attr::kLongName;
            s[offsetof(LongNamePart, checksum)] = sum;
            for (size_t i = 0; i < kPartCharOffsets.size(); ++i) {
                const size_t at = (part - 1) * kCharsPerPart + i;
                // After the name one 0 unit where there is room, then 0xFFFF.
                const char16_t c = at < name.size() ? name[at] : (at == name.size() ? u'\0' : u'\xFFFF');
                storeLe(s, kPartCharOffsets[i], 2, c);
            }
            slots.push_back(s);
        }
    }
    slots.push_back(slotBytes(shortEntryOf(e)));
    return slots;
}

}  // namespace orva
