// Paths inside the image, the working directory, and raw slots of the working directory.
#include <algorithm>

#include "image_state.h"

namespace orva {
int32_t ImageState::GetFDirEntry(std::string_view path, DirEntry** entry, int32_t* slotCount, EntryPos* pos) {
    if (!isOpen()) return 10;
    if (path.empty()) return 1;
    if (path == "\\") {
        DirEntry& root = work_->group[kGroupSlots - 1];
        root = DirEntry{};
        std::fill(std::begin(root.name), std::end(root.name), ' ');
        std::fill(std::begin(root.extension), std::end(root.extension), ' ');
        root.attributes = attr::kDirectory;
        root.firstCluster = 1;
        if (entry) *entry = &root;
        if (slotCount) *slotCount = 1;
        return 0;
    }
    uint32_t dir = workDirCluster_;
    size_t at = 0;
    if (path[0] == '\\') {
        dir = 1;
        at = 1;
    }
    for (size_t sep; (sep = path.find('\\', at)) != std::string_view::npos; at = sep + 1) {
        if (sep == at) return 5;
        DirEntry* e = lookup(dir, path.substr(at, sep - at), pos);
        if (!e) return 1;
        if (entry) *entry = e;
        if (slotCount) *slotCount = static_cast<int32_t>(lastSlotCount_);
        if (!(e->attributes & attr::kDirectory)) return 4;
        if (sep + 1 == path.size()) return 0;
        dir = directoryClusterOf(*e);
    }
    DirEntry* e = lookup(dir, path.substr(at), pos);
    if (slotCount) *slotCount = static_cast<int32_t>(lastSlotCount_);
    if (!e) return 1;
    if (entry) *entry = e;
    return 0;
}

int32_t ImageState::SetFWrkDir(std::string_view path) {
    if (!isOpen()) return 10;
    if (path.empty()) return 5;
    std::string dirPath(path);
    if (dirPath.back() != '\\') dirPath += '\\';
    DirEntry* e = nullptr;
    int32_t slots = 0;
    if (int32_t r = GetFDirEntry(dirPath, &e, &slots, nullptr)) return r;
    workDirCluster_ = directoryClusterOf(*e);
    return 0;
}

int32_t ImageState::GetFWDirEntry(int32_t index, uint8_t* slot) {
    if (!isOpen()) return 10;
    if (index < 0) return 2;
    uint32_t n = static_cast<uint32_t>(index);
    DirCursor cur = cursorAt(workDirCluster_);
    if (cur.cluster == 0) return 2;
    while (n >= cur.remaining) {
        if (cur.cluster == 1) return 2;
        const ChainLink link = fat_.follow(cur.cluster, cur.hops);
        if (link.kind != ChainLink::Next) return 2;
        n -= cur.remaining;
        cur = DirCursor{link.next, static_cast<uint32_t>(ClusterOffset(link.next)), layout_.entriesPerCluster,
                        cur.hops};
    }
    Slot& s = work_->oneSlot;
    if (!readImage(cur.filePos + uint64_t{n} * kSlotBytes, s)) return 9;
    if (slot) std::copy(s.begin(), s.end(), slot);
    return isEndSlot(s) ? 1 : 0;
}

}  // namespace orva
