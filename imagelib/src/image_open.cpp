// Opening and closing an image, and what the library tells about the open image.
#include <algorithm>
#include <cstring>
#include <new>

#include "boot_sector.h"
#include "image_state.h"
#include "media_table.h"
#include "platform/path_info.h"

namespace orva {
namespace {

using namespace result::OpenFDImg;

constexpr size_t kMinBootRead = 62;
constexpr uint32_t kMaxBytesPerSector = 8192;
constexpr uint32_t kMaxSectorsPerTrack = 255;
constexpr uint32_t kMaxHeads = 2;

}  // namespace

ImageState::ImageState(Opener opener) : opener_(std::move(opener)) {
    try {
        work_ = std::make_unique<WorkArea>();
    } catch (const std::bad_alloc&) {
        work_.reset();  // every export then reports the missing work area
    }
}

ImageState::~ImageState() {
    releaseImage();
}

void ImageState::releaseImage() {
    imageOpen_ = false;
    unsynced_ = fatDirty_ = zeroedFolderCluster_ = false;
    cache_ = ReadCache();
    fat_ = FatTable();
    search_ = SearchState();
    if (imageFile_) imageFile_->close();
    imageFile_.reset();
}

// An image that is still open is closed first: one image per state, and no file or lock is left behind.
int32_t ImageState::OpenFDImg(std::string_view pathText, int32_t fatCopy) {
    if (!work_) return kNoWorkArea;
    if (imageOpen_) CloseFDImg();
    const std::string path(pathText);

    const platform::PathInfo info = platform::inspectPath(path);
    if (!info.exists || !info.regular) return kCannotOpen;
    // A write-protected file is opened for reading only, also by root, who could open it for writing.
    int error = 0;
    auto file =
        opener_(path, info.writeProtected ? platform::Access::ReadOnly : platform::Access::ReadWrite, error);
    if (!file) return kCannotOpen;

    WorkArea& w = *work_;
    w.bootSector.fill(0);
    const int64_t got = file->readAt(0, w.bootSector);
    if (got < static_cast<int64_t>(kMinBootRead)) return kUnreadable;
    int32_t result = got < static_cast<int64_t>(w.bootSector.size()) ? kShortBootRead : kOpened;

    const BootParams boot = BootParams::parse(w.bootSector);
    w.geometry = DiskGeometry{0, kMediaUnknown, boot.heads, boot.sectorsPerTrack, boot.bytesPerSector};
    const auto media = lookupMedia(boot.mediaByte, boot.sectorsPerTrack);
    if (!media) return kUnknownMedia;
    w.geometry.cylinders = media->cylinders;
    w.geometry.mediaType = media->mediaType;
    if (boot.heads > kMaxHeads || boot.bytesPerSector > kMaxBytesPerSector ||
        boot.sectorsPerTrack > kMaxSectorsPerTrack) {
        return kBadParameters;
    }
    const auto layout = ImageLayout::derive(boot, media->cylinders);
    if (!layout) return kBadParameters;

    const auto fileSize = file->size();
    if (!fileSize) return kUnreadable;
    if (*fileSize >= (uint64_t{1} << 32) || layout->imageBytes < *fileSize) {
        result = kLonger;
    } else if (layout->imageBytes > *fileSize) {
        result = kShorter;
    }

    std::vector<uint8_t> table;
    try {
        table.assign(layout->fatBytes, 0);
    } catch (const std::bad_alloc&) {
        return kBadParameters;
    }
    layout_ = *layout;
    fatFromSecondCopy_ = fatCopy == kSecondTableCopy;
    // A short read of the table leaves the rest zero.
    file->readAt(tableOffset(), table);

    imageFile_ = std::move(file);
    fileBytes_ = *fileSize;
    imageOpen_ = true;
    readOnly_ = info.writeProtected || imageFile_->readOnly();
    checkFlags_ = 0;
    fat_ = FatTable(std::move(table), layout_.clusterLimit);
    workDirCluster_ = kRootCluster;
    search_ = SearchState();

    freeClusters_ = fat_.countFree();
    if (int64_t{freeClusters_} > int64_t{layout_.fatBytes} * 8 / 12 - 2) return kBadParameters;  // stays open
    if (readOnly_ && result == kOpened) return kReadOnly;
    if (readOnly_ && result == kLonger) return kLongerReadOnly;
    return result;
}

// The image is gone afterwards even when the platform reports that closing failed.
int32_t ImageState::CloseFDImg() {
    if (!imageOpen_) return result::CloseFDImg::kClosed;
    // The last export's entries are made durable here, if no later ordering point did it.
    const bool synced = readOnly_ || barrier();
    const bool closed = imageFile_->close() && synced;
    releaseImage();
    return closed ? result::CloseFDImg::kClosed : result::CloseFDImg::kCloseFailed;
}

int32_t ImageState::GetFDType(DiskGeometry* geometry, uint8_t* bootBytes, int32_t count) const {
    if (!isOpen()) return result::GetFDType::kNoImage;
    const size_t n =
        static_cast<size_t>(std::clamp<int32_t>(count, 0, static_cast<int32_t>(work_->bootSector.size())));
    if (bootBytes) std::memcpy(bootBytes, work_->bootSector.data(), n);
    if (geometry) *geometry = work_->geometry;
    return result::GetFDType::kRead;
}

int32_t ImageState::GetLastErr(int32_t* checkCode, uint8_t* badEntry, uint32_t* fileOffset) const {
    if (!isOpen()) return result::GetLastErr::kNoImage;
    if (checkCode) *checkCode = lastCheckCode_;
    if (badEntry) std::memcpy(badEntry, lastBadEntry_.data(), lastBadEntry_.size());
    if (fileOffset) *fileOffset = lastBadEntryOffset_;
    return result::GetLastErr::kRead;
}

int32_t ImageState::BlockTestFol(int32_t flags) {
    if (!isOpen()) return result::BlockTestFol::kNoImage;
    checkFlags_ = static_cast<uint8_t>(flags & 0xFF);
    return result::BlockTestFol::kSet;
}

}  // namespace orva
