// Paths inside the image, the working directory, and raw slots of the working directory.
#include <algorithm>

#include "image_state.h"

namespace orva {
int32_t ImageState::GetFDirEntry(std::string_view path, DirEntry** entry, int32_t* slotCount, EntryPos* pos) {
    using namespace result::GetFDirEntry;
    if (!isOpen()) return kNothingOpen;
    if (path.empty()) return kNotFound;
    if (path == "\\") {
        DirEntry& root = work_->group[kGroupSlots - 1];
        root = DirEntry{};
        putShortName(root, shortNameFrom("", ""));
        root.attributes = attr::kDirectory;
        root.firstCluster = kRootCluster;
        if (entry) *entry = &root;
        if (slotCount) *slotCount = 1;
        return kFound;
    }
    uint32_t dir = workDirCluster_;
    size_t at = 0;
    if (path[0] == '\\') {
        dir = kRootCluster;
        at = 1;
    }
    for (size_t sep; (sep = path.find('\\', at)) != std::string_view::npos; at = sep + 1) {
        if (sep == at) return kEmptyName;
        DirEntry* e = lookup(dir, path.substr(at, sep - at), pos);
        if (!e) return kNotFound;
        if (entry) *entry = e;
        if (slotCount) *slotCount = static_cast<int32_t>(lastSlotCount_);
        if (!(e->attributes & attr::kDirectory)) return kNotAFolder;
        if (sep + 1 == path.size()) return kFound;
        dir = folderClusterOf(e->firstCluster);
    }
    DirEntry* e = lookup(dir, path.substr(at), pos);
    if (slotCount) *slotCount = static_cast<int32_t>(lastSlotCount_);
    if (!e) return kNotFound;
    if (entry) *entry = e;
    return kFound;
}

int32_t ImageState::SetFWrkDir(std::string_view path) {
    using namespace result::SetFWrkDir;
    if (!isOpen()) return kNothingOpen;
    if (path.empty()) return kEmptyPath;
    std::string dirPath(path);
    if (dirPath.back() != '\\') dirPath += '\\';
    DirEntry* e = nullptr;
    int32_t slots = 0;
    // Its failures are ours: not found, not a folder, an empty name.
    if (int32_t r = GetFDirEntry(dirPath, &e, &slots, nullptr); r != result::GetFDirEntry::kFound) return r;
    workDirCluster_ = folderClusterOf(e->firstCluster);
    return kSet;
}

int32_t ImageState::GetFWDirEntry(int32_t index, uint8_t* slot) {
    using namespace result::GetFWDirEntry;
    if (!isOpen()) return kNothingOpen;
    if (index < 0) return kBeyondDirectory;
    uint32_t n = static_cast<uint32_t>(index);
    DirCursor cur = cursorAt(workDirCluster_);
    if (cur.cluster == 0) return kBeyondDirectory;
    while (n >= cur.remaining) {
        n -= cur.remaining;
        if (nextCluster(cur).kind != ChainLink::Next) return kBeyondDirectory;
    }
    Slot& s = work_->oneSlot;
    if (!readImage(cur.filePos + uint64_t{n} * kSlotBytes, s)) return kReadFailed;
    if (slot) std::copy(s.begin(), s.end(), slot);
    return isEndSlot(s) ? kEndSlot : kRead;
}

}  // namespace orva
