// Looking names up in a directory and enumerating it one entry per call.
#include <cstring>

#include "image_state.h"
#include "le_bytes.h"

namespace orva {
namespace {

constexpr size_t kLongNameChars = 265;

std::string_view asCString(const ShortPattern& p) {
    return {reinterpret_cast<const char*>(p.data()), strnlen(reinterpret_cast<const char*>(p.data()), p.size())};
}

MatchMode modeOf(const ShortPattern* shortPat, const std::u16string* longPat) {
    MatchMode mode = MatchMode::MatchExact;
    if (shortPat) {
        if (asCString(*shortPat) == "*") mode = MatchMode::MatchLive;
        else if (asCString(*shortPat) == "**") mode = MatchMode::MatchAll;
    }
    if (longPat) {
        if (*longPat == std::u16string_view(u"*", 2)) mode = MatchMode::MatchLive;
        else if (*longPat == std::u16string_view(u"**", 3)) mode = MatchMode::MatchAll;
    }
    return mode;
}

}  // namespace

// Compares the group's long name with the pattern, position by position; "?" passes any character, the end
// of the name included, and case matters.
bool ImageState::longNameMatches(uint32_t slotCount, const std::u16string& pattern) {
    std::array<char16_t, kLongNameChars> name{};
    size_t n = 0;
    const DirEntry* bottom = groupBottom(slotCount);
    for (uint32_t part = 1; part < slotCount && n < name.size(); ++part) {
        const Slot s = slotBytes(bottom[part]);
        for (size_t at : kPartCharOffsets) {
            const char16_t c = load16(s, at);
            if (c == 0xFFFF || n == name.size()) break;
            name[n++] = c;
        }
    }
    for (size_t i = 0; i < name.size(); ++i) {
        const char16_t p = i < pattern.size() ? pattern[i] : u'\0';
        if (p == name[i]) {
            if (p == 0) return true;
        } else if (p != u'?') {
            return false;
        }
    }
    return true;
}

DirEntry* ImageState::SearchDir(uint32_t dir, const ShortPattern* shortPat, const std::u16string* longPat,
                                bool enumerate, EntryPos* pos) {
    lastCheckCode_ = 0;
    DirCursor cur;
    if (enumerate && !shortPat && !longPat) {
        if (!search_.active()) return nullptr;
        cur = search_.cursor;
    } else {
        if (!shortPat && !longPat) return nullptr;
        cur = cursorAt(dir);
        if (cur.cluster == 0) return nullptr;
        if (enumerate) {
            search_.cursor = cur;
            search_.shortPattern = shortPat ? *shortPat : ShortPattern{};
            search_.longPattern = longPat ? longPat->substr(0, kLongPatternChars) : std::u16string();
            search_.matchMode = modeOf(shortPat, longPat);
        }
    }
    for (;;) {
        if (pos) {
            *pos = EntryPos{static_cast<uint16_t>(cur.cluster),
                            static_cast<uint16_t>((cur.filePos - ClusterOffset(cur.cluster)) / kSlotBytes)};
        }
        const GroupRead g = ReadEntryGroup(cur, pos);
        if (enumerate) search_.cursor = cur;
        if (g.checkCode) lastCheckCode_ = g.checkCode;
        if (g.readError || g.endOfDirectory) {
            // A finished enumeration reads nothing more when it is continued.
            if (enumerate) search_.cursor = DirCursor{};
            return nullptr;
        }
        DirEntry* candidate = groupBottom(g.slotCount);
        const Slot s = slotBytes(*candidate);
        bool found = false;
        if (enumerate) {
            found = search_.matchMode == MatchMode::MatchAll ||
                    (search_.matchMode == MatchMode::MatchLive && !isHiddenSlot(s));
        } else if (!lastCheckCode_ && !isHiddenSlot(s)) {
            if (shortPat) {
                found = std::memcmp(s.data(), shortPat->data(), kShortNameBytes) == 0;
            } else {
                found = g.slotCount > 1 && longNameMatches(g.slotCount, *longPat);
            }
        }
        if (found) {
            lastSlotCount_ = g.slotCount;
            lastGroupStart_ = g.firstSlot;
            return candidate;
        }
    }
}

DirEntry* ImageState::lookup(uint32_t dir, std::string_view name, EntryPos* pos) {
    lastCheckCode_ = 0;
    const auto shortPat = lookupShortPattern(name);
    DirEntry* e = nullptr;
    // The long form only when it is needed: most lookups are of short names, found the short way.
    std::optional<std::u16string> longPat;
    if (shortPat) {
        e = SearchDir(dir, &*shortPat, nullptr, false, pos);
    } else if ((longPat = longPattern(name))) {
        e = SearchDir(dir, nullptr, &*longPat, false, pos);
    }
    if (e || lastCheckCode_) return e;
    // The other way, so that every entry the library shows can be found again: a long name that looks like
    // an 8.3 pattern (ABCDEFGHI), or a plain 8.3 name outside the lookup's characters (A&B.TXT).
    if (shortPat) {
        if ((longPat = longPattern(name))) e = SearchDir(dir, nullptr, &*longPat, false, pos);
    } else if (const auto stored = storedShortForm(name)) {
        e = SearchDir(dir, &*stored, nullptr, false, pos);
    }
    return e;
}

int32_t ImageState::FindInDir(std::string_view name, int32_t dirCluster, DirEntry** entry, EntryPos* pos) {
    using namespace result::FindInDir;
    if (!isOpen()) return kNothingOpen;
    DirEntry* e = lookup(directoryArgument(dirCluster), name, pos);
    if (!e) return lastCheckCode_ ? kNotFoundCheckFailed : kNotFound;
    if (entry) *entry = e;
    return kFound;
}

int32_t ImageState::FindMInDir(std::string_view pattern, int32_t dirCluster, DirEntry** entry, int32_t* slotCount) {
    using namespace result::FindMInDir;
    if (!isOpen()) return kNothingOpen;
    DirEntry* e = nullptr;
    if (pattern.empty()) {
        e = SearchDir(kWorkingDirCluster, nullptr, nullptr, true, nullptr);
    } else {
        const uint32_t dir = directoryArgument(dirCluster);
        if (const auto shortPat = enumShortPattern(pattern)) {
            e = SearchDir(dir, &*shortPat, nullptr, true, nullptr);
        } else if (const auto longPat = longPattern(pattern)) {
            e = SearchDir(dir, nullptr, &*longPat, true, nullptr);
        } else {
            search_ = SearchState();  // a pattern that is not text matches nothing
            lastCheckCode_ = 0;
        }
    }
    if (!e) return lastCheckCode_ ? kEndCheckFailed : kEnd;
    if (entry) *entry = e;
    if (slotCount) *slotCount = static_cast<int32_t>(lastSlotCount_);
    return lastCheckCode_ ? kFoundCheckFailed : kFound;
}

}  // namespace orva
