// Creating a folder: its first cluster with "." and "..", then the table, then its entry in the parent.
#include <algorithm>

#include "image_state.h"

namespace orva {
namespace {

using namespace result::MkDir;

}  // namespace

int32_t ImageState::MkDir(std::string_view path) {
    if (!isOpen()) return kNothingOpen;
    if (readOnly_) return kReadOnlyImage;
    if (!ensureCurrent()) return kChangedOutside;
    if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    const size_t last = path.rfind('\\');
    const std::string_view name = last == std::string_view::npos ? path : path.substr(last + 1);
    uint32_t parent = workDirCluster_;
    if (last != std::string_view::npos) {
        DirEntry* e = nullptr;
        int32_t slots = 0;
        if (GetFDirEntry(path.substr(0, last + 1), &e, &slots, nullptr) != result::GetFDirEntry::kFound) {
            return kNoParent;
        }
        parent = folderClusterOf(e->firstCluster);
    }
    NameFault nameFault;
    auto entry = nameNewEntry(name, parent, nameFault);
    if (!entry) return refusedNameResult(nameFault, kBadName, kNoRoom);
    entry->attributes = attr::kDirectory;
    entry->stamps = stampsAllAt(platform::utcNow());

    const SlotRun slots =
        FindFreeSlots(static_cast<int32_t>(parent), static_cast<int32_t>(entry->slotCount()));
    if (slots.offsets.empty()) {
        finishWrite();
        return kNoRoom;
    }
    const int32_t cluster = fat_.FatFindFree(kFirstDataCluster);
    // A damaged boot sector can give clusters too small for the "." and ".." entries: no folder fits there.
    if (cluster <= 0 || layout_.clusterBytes < 2 * kSlotBytes) return finishWrite() ? kNoRoom : kWriteFailed;
    entry->firstCluster = static_cast<uint16_t>(cluster);

    std::vector<uint8_t> first(layout_.clusterBytes, 0);
    DirEntry dot = shortEntryOf(*entry);
    putShortName(dot, kDotName);
    const Slot dotSlot = slotBytes(dot);
    putShortName(dot, kDotDotName);
    // A ".." that leads to the root keeps no cluster.
    dot.firstCluster = static_cast<uint16_t>(parent == kRootCluster ? 0 : parent);
    const Slot dotDotSlot = slotBytes(dot);
    std::copy(dotSlot.begin(), dotSlot.end(), first.begin());
    std::copy(dotDotSlot.begin(), dotDotSlot.end(), first.begin() + kSlotBytes);
    if (!writeImage(static_cast<uint64_t>(ClusterOffset(cluster)), first)) {
        finishWrite();
        return kWriteFailed;
    }
    FatSet(cluster, kEndOfChain, false);
    bool ok = flushFat();
    ok = writeGroup(slots, *entry) && ok;
    return finishWrite() && ok ? kCreated : kWriteFailed;
}

}  // namespace orva
