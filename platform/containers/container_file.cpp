#include "platform/containers/container_file.h"

#include <algorithm>
#include <cerrno>

#include "platform/containers/replace_file.h"
#include "platform/host_file.h"

namespace platform::containers {

ContainerFile::ContainerFile(std::unique_ptr<RandomAccessFile> original, std::string path, DecodedImage image,
                             bool writable)
    : original_(std::move(original)), path_(std::move(path)), image_(std::move(image)), writable_(writable) {}

ContainerFile::~ContainerFile() {
    close();
}

int64_t ContainerFile::readAt(uint64_t offset, std::span<uint8_t> out) {
    const std::vector<uint8_t>& bytes = image_.image.bytes;
    if (!original_) return -1;
    if (offset >= bytes.size()) return 0;
    const size_t n = std::min<uint64_t>(out.size(), bytes.size() - offset);
    std::copy_n(bytes.begin() + static_cast<long>(offset), n, out.begin());
    return static_cast<int64_t>(n);
}

int64_t ContainerFile::writeAt(uint64_t offset, std::span<const uint8_t> data) {
    SectorImage& image = image_.image;
    if (!original_ || !writable_) return -1;
    if (offset >= image.bytes.size()) return 0;
    const size_t n = std::min<uint64_t>(data.size(), image.bytes.size() - offset);
    std::copy_n(data.begin(), n, image.bytes.begin() + static_cast<long>(offset));
    const uint32_t sectorBytes = image.geometry.bytesPerSector;
    if (n > 0 && !image.states.empty() && sectorBytes != 0) {
        const size_t first = offset / sectorBytes;
        const size_t last = (offset + n - 1) / sectorBytes;
        std::fill(image.states.begin() + static_cast<long>(first),
                  image.states.begin() + static_cast<long>(last) + 1, SectorState::Normal);
    }
    changed_ = changed_ || n > 0;
    return static_cast<int64_t>(n);
}

void ContainerFile::markSector(size_t index, SectorState state) {
    if (index >= image_.image.states.size()) return;
    image_.image.states[index] = state;
    changed_ = true;
}

bool ContainerFile::writeBack() {
    std::vector<uint8_t> encoded;
    if (encodeImage(image_, image_.format, EncodeOptions{imdHeaderLineNow(), {}}, encoded) !=
        ContainerError::None) {
        errno = EINVAL;
        return false;
    }
    int error = 0;
    if (!replaceFile(path_, encoded, error)) {
        errno = error;
        return false;
    }
    changed_ = false;
    return true;
}

bool ContainerFile::saveNow() {
    if (!original_ || !writable_) {
        errno = EBADF;
        return false;
    }
    if (!changed_) return true;
    if (!writeBack()) return false;
    // The new file is locked at once; the old one, renamed away, has nobody to keep out any more.
    int error = 0;
    auto renewed = openExclusive(path_, Access::ReadOnly, error);
    if (!renewed) {
        errno = error;
        return false;
    }
    const bool released = original_->close();
    original_ = std::move(renewed);
    return released;
}

bool ContainerFile::close() {
    if (!original_) return true;
    bool ok = true;
    if (changed_) {
        ok = writeBack();
        changed_ = false;
    }
    // The lock goes only now: nobody could open the old file between our decision and the rename.
    ok = original_->close() && ok;
    original_.reset();
    return ok;
}

}  // namespace platform::containers
