#include "platform/containers/open_image.h"

#include <cerrno>
#include <vector>

#include "platform/containers/container_file.h"
#include "platform/containers/replace_file.h"

namespace platform::containers {
namespace {

// A container is at most a little larger than the image it holds.
constexpr uint64_t kMaxContainerBytes = 2 * kMaxImageBytes;

bool readWhole(RandomAccessFile& file, std::vector<uint8_t>& out, int& error) {
    const auto size = file.size();
    if (!size) {
        error = EIO;
        return false;
    }
    if (*size > kMaxContainerBytes) {
        error = EFBIG;
        return false;
    }
    out.resize(*size);
    if (file.readAt(0, out) != static_cast<int64_t>(out.size())) {
        error = EIO;
        return false;
    }
    return true;
}

ContainerError decodeOpened(RandomAccessFile& file, DecodedImage& image, int& error) {
    std::vector<uint8_t> bytes;
    if (!readWhole(file, bytes, error))
        return error == EFBIG ? ContainerError::TooLarge : ContainerError::CannotRead;
    const ContainerError e = decodeImage(std::move(bytes), image);
    if (e != ContainerError::None) error = EINVAL;
    return e;
}

}  // namespace

ContainerFormat formatOfFile(RandomAccessFile& file) {
    std::vector<uint8_t> head(kDetectBytes);
    const int64_t got = file.readAt(0, head);
    if (got <= 0) return ContainerFormat::Raw;
    head.resize(static_cast<size_t>(got));
    return detectFormat(head);
}

bool holdsContainer(RandomAccessFile& file) {
    return formatOfFile(file) != ContainerFormat::Raw;
}

std::unique_ptr<RandomAccessFile> openImage(const std::string& path, Access access, int& error) {
    auto file = openExclusive(path, access, error);
    if (!file || !holdsContainer(*file)) return file;
    DecodedImage image;
    if (decodeOpened(*file, image, error) != ContainerError::None) return nullptr;
    const bool writable = access == Access::ReadWrite && isWritable(image.format) && folderWritable(path);
    return std::make_unique<ContainerFile>(std::move(file), path, std::move(image), writable);
}

ContainerFormat formatForNewImage(const std::string& path) {
    const ContainerFormat named = formatForName(path);
    return isWritable(named) ? named : ContainerFormat::Raw;
}

std::unique_ptr<ContainerFile> createContainer(const std::string& path, ContainerFormat format,
                                               const SectorGeometry& geometry, int& error) {
    if (!geometry.known() || geometry.byteCount() > kMaxImageBytes) {
        error = EINVAL;
        return nullptr;
    }
    auto file = createExclusive(path, error);
    if (!file) return nullptr;
    DecodedImage image;
    image.format = format;
    image.imdLayout.headerLine = imdHeaderLineNow();
    // The zip holds one raw image named after the container.
    const std::string name = path.substr(path.find_last_of('/') + 1);
    image.zipEntryName = name.substr(0, name.find_last_of('.')) + ".img";
    image.image.geometry = geometry;
    // Until a sector is written it holds nothing that was read: a run that stops early says so.
    image.image.bytes.assign(static_cast<size_t>(geometry.byteCount()), kMissingSectorFill);
    image.image.states.assign(static_cast<size_t>(geometry.sectorCount()), SectorState::Unavailable);
    return std::make_unique<ContainerFile>(std::move(file), path, std::move(image), true);
}

ContainerError loadImage(const std::string& path, DecodedImage& out, int& error) {
    auto file = openExclusive(path, Access::ReadOnly, error);
    if (!file) return ContainerError::CannotRead;
    return decodeOpened(*file, out, error);
}

ContainerError diagnoseImage(const std::string& path) {
    int error = 0;
    auto file = openExclusive(path, Access::ReadOnly, error);
    if (!file || !holdsContainer(*file)) return ContainerError::None;
    DecodedImage image;
    return decodeOpened(*file, image, error);
}

}  // namespace platform::containers
