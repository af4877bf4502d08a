// Reading directories: entry groups slot by slot along the directory's chain, and free slots for new entries.
#include "image_state.h"

namespace orva {

DirCursor ImageState::cursorAt(uint32_t dir) const {
    const int64_t offset = ClusterOffset(dir);
    if (dir == kWorkingDirCluster || offset < 0) return {};
    return {dir,
            static_cast<uint32_t>(offset),
            dir == kRootCluster ? layout_.rootEntries : layout_.entriesPerCluster,
            {}};
}

ChainLink ImageState::nextCluster(DirCursor& cur) const {
    if (cur.cluster == kRootCluster) return {ChainLink::End, 0};
    const ChainLink link = fat_.follow(cur.cluster, cur.visited);
    if (link.kind == ChainLink::Next) {
        cur.cluster = link.next;
        cur.filePos = static_cast<uint32_t>(ClusterOffset(link.next));
        cur.remaining = layout_.entriesPerCluster;
    }
    return link;
}

void ImageState::reportLoop(uint32_t cluster, GroupRead& r) {
    const auto offset = static_cast<uint32_t>(ClusterOffset(cluster));
    Slot s{};
    if (!readImage(offset, s)) s.fill(0);
    lastBadEntry_ = s;
    lastBadEntryOffset_ = offset;
    r.checkCode = check::kChainLoop;
}

GroupRead ImageState::ReadEntryGroup(DirCursor& cur, EntryPos* pos) {
    GroupRead r;
    const CheckLimits limits{layout_.clusterLimit, layout_.imageBytes,
                             (checkFlags_ & check_flags::kStrictLongNames) != 0};
    auto& group = work_->group;
    uint32_t count = 0;
    for (;;) {
        if (cur.remaining == 0) {
            const ChainLink link = nextCluster(cur);
            if (link.kind == ChainLink::Loop) reportLoop(link.next, r);
            if (link.kind != ChainLink::Next) {
                r.endOfDirectory = true;
                break;
            }
            if (pos) *pos = EntryPos{static_cast<uint16_t>(link.next), 0};
        }
        Slot s;
        const uint32_t slotOffset = cur.filePos;
        if (!readImage(slotOffset, s)) {
            r.readError = true;
            break;
        }
        const EntryPos here{static_cast<uint16_t>(cur.cluster),
                            static_cast<uint16_t>((slotOffset - ClusterOffset(cur.cluster)) / kSlotBytes)};
        cur.filePos += kSlotBytes;
        --cur.remaining;
        if (++count == 1) r.firstSlot = here;
        group[kGroupSlots - count] = slotEntry(s);

        if (checkFlags_ & check_flags::kEverySlot) {
            if (uint8_t code = checkSlot(s, limits)) {
                lastBadEntry_ = s;
                lastBadEntryOffset_ = slotOffset;
                r.checkCode = code;
                break;
            }
        }
        if (!isLongNamePart(s)) {
            // Parts whose first one was lost still name the entry; mark the top one as the name's end.
            if (count > 1) group[kGroupSlots - 1].name[0] |= kLastPartMark;
            break;
        }
        if (count > kGroupSlots - 1) break;
        if ((s[0] & kLastPartMark) && count > 1) {
            // A new name begins: the parts before it belong to no entry.
            group[kGroupSlots - 1] = slotEntry(s);
            count = 1;
            r.firstSlot = here;
        }
    }
    r.slotCount = count;
    return r;
}

SlotRun ImageState::FindFreeSlots(int32_t dirCluster, int32_t count) {
    if (!isOpen() || count <= 0) return {};
    const auto wanted = static_cast<uint32_t>(count);
    const uint32_t dir = directoryArgument(dirCluster);
    DirCursor cur = cursorAt(dir);
    // The root is one area that never grows.
    if (cur.remaining == 0 || (dir == kRootCluster && wanted > cur.remaining)) return {};
    const Slot deleted{kDeletedMark};
    // A run goes on from one cluster of a folder into the next, as a long name of 21 slots must where a
    // cluster holds 16.
    SlotRun run;
    for (;;) {
        for (uint32_t i = 0; i < cur.remaining; ++i) {
            const uint64_t at = cur.filePos + uint64_t{i} * kSlotBytes;
            Slot s;
            if (!readImage(at, s)) return {};
            if (!isFreeSlot(s)) {
                run.offsets.clear();
                continue;
            }
            // No end slot may stay in front of entries written later.
            if (s[0] == kEndMark) writeImage(at, std::span(deleted).first(1));
            run.offsets.push_back(at);
            if (run.offsets.size() == wanted) return run;
        }
        if (dir == kRootCluster) return {};
        uint32_t last = cur.cluster;
        const ChainLink link = nextCluster(cur);
        if (link.kind == ChainLink::Next) continue;
        // Only a chain that really ends can grow: a broken or looping one has no last cluster.
        if (link.kind != ChainLink::End) return {};
        while (run.offsets.size() < wanted) {
            // Each new cluster is zeroed and marked as a chain of its own before the table links it: the
            // folder never holds stale slots, and a table write torn between its sectors never leaves the
            // folder pointing at a cluster the table calls free (the next allocation would hand it out
            // again).
            const int32_t added = fat_.FatFindFree(kFirstDataCluster);
            if (added <= 0) return {};
            const auto offset = static_cast<uint64_t>(ClusterOffset(added));
            const std::vector<uint8_t> zeros(layout_.clusterBytes, 0);
            if (!writeImage(offset, zeros)) return {};
            FatSet(added, kEndOfChain, true);
            zeroedFolderCluster_ = true;  // the link's table write waits for an ordering point
            FatSet(last, static_cast<uint32_t>(added), false);
            last = static_cast<uint32_t>(added);
            ++run.clustersAdded;
            for (uint32_t i = 0; i < layout_.entriesPerCluster && run.offsets.size() < wanted; ++i)
                run.offsets.push_back(offset + uint64_t{i} * kSlotBytes);
        }
        return run;
    }
}

}  // namespace orva
