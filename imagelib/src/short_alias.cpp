// The alias a long name gets in a folder: the first candidate no entry of the folder holds.
#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "image_state.h"

namespace orva {

// One read of the folder collects the names a candidate could meet; each candidate is then a lookup. A
// folder of N similar names thus costs one pass per new name, not one pass per candidate (N × N slots).
// The pass walks the groups exactly as a search for each candidate would, so the same entries count as
// taken: visible 8.3 entries up to the folder's end or its first unreadable slot.
std::optional<ShortName> ImageState::MakeShortAlias(std::string_view name, uint32_t dirCluster) {
    lastCheckCode_ = 0;  // like every search: no check code is left from before
    // Slot checks stay off for the pass: they would split groups differently and record a bad entry that
    // no caller asked about.
    const uint8_t flags = checkFlags_;
    checkFlags_ = 0;
    std::unordered_set<ShortName, ShortNameHash> taken;
    for (DirCursor cur = cursorAt(dirCluster); cur.cluster != 0;) {
        const GroupRead g = ReadEntryGroup(cur, nullptr);
        if (g.readError || g.endOfDirectory) break;
        const DirEntry& e = *groupBottom(g.slotCount);
        // Every candidate has its "~" within the base; names without one can never be met.
        if (isHiddenSlot(slotBytes(e)) || !std::memchr(e.name, '~', kBaseBytes)) continue;
        taken.insert(shortNameOf(e));
    }
    checkFlags_ = flags;
    return firstFreeAlias(name, [&](const ShortName& candidate) { return taken.contains(candidate); });
}

}  // namespace orva
