// Cluster numbers to file offsets, and the allocation table's changes reaching the file.
#include "image_state.h"

namespace orva {

int64_t ImageState::ClusterOffset(int64_t c) const {
    return layout_.clusterOffset(c);
}

void ImageState::FatSet(int64_t c, uint32_t value, bool flush) {
    if (c < kFirstDataCluster || c >= layout_.clusterLimit) return;
    // The free count follows the table here, so no caller has to keep it in step by hand.
    const bool wasFree = fat_.raw(static_cast<uint32_t>(c)) == 0;
    fat_.FatSet(c, value);
    const bool isFree = fat_.raw(static_cast<uint32_t>(c)) == 0;
    if (wasFree && !isFree) --freeClusters_;
    if (!wasFree && isFree) ++freeClusters_;
    fatDirty_ = true;
    if (flush) flushFat();
}

uint32_t ImageState::AllocCluster(uint32_t prev, int64_t& offset) {
    const int32_t n = fat_.FatFindFree(kFirstDataCluster);
    if (n <= 0) return 0;
    offset = ClusterOffset(n);
    FatSet(prev, static_cast<uint32_t>(n), false);
    FatSet(n, kEndOfChain, true);
    return static_cast<uint32_t>(n);
}

int32_t ImageState::FreeSpace(uint32_t* freeBytes) const {
    if (!isOpen()) return result::FreeSpace::kNothingOpen;
    if (freeBytes) *freeBytes = freeClusters_ * layout_.clusterBytes;
    return result::FreeSpace::kCounted;
}

}  // namespace orva
