// Every read and write of the image file, and the ordering points between dependent writes.
#include <algorithm>

#include "image_state.h"

namespace orva {

bool ImageState::readImage(uint64_t offset, std::span<uint8_t> out) {
    if (!imageFile_) return false;
    constexpr uint64_t kBlock = ReadCache::kBlockBytes;
    const uint64_t blockStart = offset / kBlock * kBlock;
    if (offset + out.size() > blockStart + kBlock) {
        return imageFile_->readAt(offset, out) == static_cast<int64_t>(out.size());
    }
    if (cache_.start != blockStart) {
        cache_.bytes.resize(kBlock);
        const int64_t got = imageFile_->readAt(blockStart, cache_.bytes);
        if (got < 0) {
            cache_ = ReadCache();
            return false;
        }
        cache_.bytes.resize(static_cast<size_t>(got));
        cache_.start = blockStart;
    }
    const size_t at = static_cast<size_t>(offset - blockStart);
    if (at + out.size() > cache_.bytes.size()) return false;
    std::copy_n(cache_.bytes.begin() + static_cast<long>(at), out.size(), out.begin());
    return true;
}

bool ImageState::writeImage(uint64_t offset, std::span<const uint8_t> data) {
    // A file shorter than its boot sector says keeps its size: clusters beyond its end cannot be written.
    if (!imageFile_ || readOnly_ || offset + data.size() > fileBytes_) return false;
    const bool overlaps = cache_.start != UINT64_MAX && offset < cache_.start + ReadCache::kBlockBytes &&
                          cache_.start < offset + data.size();
    if (overlaps) cache_ = ReadCache();
    unsynced_ = true;
    return imageFile_->writeAt(offset, data) == static_cast<int64_t>(data.size());
}

// The whole table goes over the first and second copy; further copies are left alone.
bool ImageState::flushFat() {
    // A table that reaches the disk before the data it points to leaves only lost clusters, which is
    // harmless, so data and table share one ordering point. A folder's new cluster is different: linked
    // before its zeros are on disk, it would show stale slots as entries.
    bool ok = !zeroedFolderCluster_ || barrier();
    zeroedFolderCluster_ = false;
    fatDirty_ = false;
    ok = writeImage(layout_.fatOffset, fat_.bytes()) && ok;
    if (layout_.fatCount >= 2) ok = writeImage(uint64_t{layout_.fatOffset} + layout_.fatBytes, fat_.bytes()) && ok;
    return ok;
}

bool ImageState::barrier() {
    if (!unsynced_) return true;
    unsynced_ = false;
    return imageFile_ && imageFile_->syncData();
}

// What an export wrote last (its entries) becomes durable at the next ordering point or when the image
// closes: one sync per copied file instead of two. A crash before that loses at most those last entries,
// whose clusters are then lost ones, never shared.
bool ImageState::finishWrite() { return !fatDirty_ || flushFat(); }

}  // namespace orva
