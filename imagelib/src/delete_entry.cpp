// Deleting a file or an empty folder: the entry goes first, then its clusters.
#include "image_state.h"

namespace orva {
namespace {

using namespace result::KillF;

constexpr uint8_t kProtectingAttributes = attr::kReadOnly | attr::kHidden | attr::kSystem;

}  // namespace

bool ImageState::directoryIsEmpty(uint32_t cluster) {
    // The first two live entries are "." and ".."; a third makes the folder non-empty.
    DirEntry* e = nullptr;
    int32_t slots = 0;
    FindMInDir("*", static_cast<int32_t>(cluster), &e, &slots);
    FindMInDir("", kWorkingDirCluster, &e, &slots);
    return FindMInDir("", kWorkingDirCluster, &e, &slots) == result::FindMInDir::kEnd;
}

int32_t ImageState::KillF(std::string_view imagePath, uint8_t force) {
    if (!isOpen()) return kNothingOpen;
    if (readOnly_) return kReadOnlyImage;
    if (!ensureCurrent()) return kChangedOutside;
    DirEntry* e = nullptr;
    int32_t slots = 0;
    if (GetFDirEntry(imagePath, &e, &slots, nullptr) != result::GetFDirEntry::kFound) return kNotFound;
    const DirEntry entry = *e;
    const EntryPos groupStart = lastGroupStart_;  // before the emptiness test runs a search of its own
    if (entry.firstCluster == kRootCluster) return kIsRoot;
    if ((entry.attributes & kProtectingAttributes) && !force) return kProtected;
    if ((entry.attributes & attr::kDirectory) && entry.firstCluster != 0 &&
        !directoryIsEmpty(entry.firstCluster)) {
        return kNotEmpty;
    }

    // Marked deleted first: a stop before the clusters are freed leaves lost clusters, never a live entry
    // whose clusters the next file would be given.
    bool readFailed = false;
    const auto offsets = groupSlotOffsets(groupStart, readFailed);
    if (!offsets) return readFailed ? kReadFailed : kNotFound;
    // One write for each run of neighbouring slots, so that a group within one cluster goes at once.
    for (const SlotSpan& span : neighbourRuns(*offsets)) {
        const uint64_t at = (*offsets)[span.first];
        std::vector<uint8_t> run(span.count * kSlotBytes);
        if (!readImage(at, run)) return kReadFailed;
        for (size_t i = 0; i < run.size(); i += kSlotBytes) run[i] = kDeletedMark;
        if (!writeImage(at, run)) {
            finishWrite();
            return kWriteFailed;
        }
    }
    if (!barrier()) return kWriteFailed;

    if (entry.firstCluster >= kFirstDataCluster && entry.firstCluster < layout_.clusterLimit) {
        ClusterSet visited;
        for (uint32_t c = entry.firstCluster;;) {
            const ChainLink link = fat_.follow(c, visited);
            if (fat_.raw(c) != 0) FatSet(c, 0, false);  // cross-linked chains may have freed it already
            if (link.kind != ChainLink::Next) break;
            c = link.next;
        }
    }
    return finishWrite() ? kDeleted : kWriteFailed;
}

}  // namespace orva
