#include "write_image.h"

#include <algorithm>
#include <cerrno>

#include "cylinder_buffer.h"
#include "format_medium.h"
#include "image_target.h"
#include "media_types.h"
#include "platform/containers/open_image.h"
#include "platform/host_file.h"
#include "take_drive.h"

namespace converter::actions {
namespace {

// One cylinder from the image at offset onto the floppy: the bytes written, or the failure.
std::optional<Result> writeCylinder(HeldDrive& held, platform::RandomAccessFile& image,
                                    uint32_t bytesPerSector, std::span<uint8_t> cylinder, uint64_t& offset) {
    std::fill(cylinder.begin(), cylinder.end(), 0);
    const int64_t got = image.readAt(offset, cylinder);
    if (got <= 0) return failed(Failure::ImageRead, errno);
    // A file that shrank meanwhile: its short rest goes out padded to whole sectors.
    const uint64_t sectors = (static_cast<uint64_t>(got) + bytesPerSector - 1) / bytesPerSector;
    uint32_t written = 0;
    if (!held.access().WriteSectors(
            held.handle(), cylinder.first(static_cast<size_t>(sectors * bytesPerSector)), written,
            ByteOffset{static_cast<uint32_t>(offset)}, held.number(), bytesPerSector) ||
        written < got)
        return refused(Failure::FloppyWrite, held.access().LastError());
    offset += static_cast<uint64_t>(got);
    return std::nullopt;
}

Result writeAllCylinders(HeldDrive& held, platform::RandomAccessFile& image, const DiskGeometry& geometry,
                         std::span<uint8_t> cylinder, ActionObserver& observer) {
    observer.started(Phase::Writing, geometry);
    const uint32_t cylinders = static_cast<uint32_t>(geometry.cylinders);
    uint64_t offset = 0;
    for (uint32_t c = 0; c < cylinders; ++c) {
        if (auto failure = writeCylinder(held, image, geometry.bytesPerSector, cylinder, offset)) {
            failure->cylinders = c;
            return *failure;
        }
        observer.cylinderDone(Phase::Writing, c);
    }
    Result result;
    result.cylinders = cylinders;
    return result;
}

}  // namespace

void writeImage(const ActionDrive& drive, const WriteRequest& request, ActionObserver& observer) {
    runWithDrive(drive, observer, [&](HeldDrive& held) -> Result {
        if (auto refusedPath = refuseNonFileImage(request.imagePath)) return *refusedPath;
        if (auto stopped = takeDrive(held, drive, observer)) return *stopped;
        if (drive.osKind == OsKind::Win9x) observer.mustBeFormatted();
        if (!observer.eraseFloppy(driveLetter(drive.number))) return failed(Failure::Declined);
        DiskGeometry geometry{};
        if (auto unknown = queryGeometry(held, geometry)) return *unknown;
        auto buffer = cylinderBuffer(geometry);
        if (!buffer) return failed(Failure::NoBuffer);
        int error = 0;
        // Only read, so a failure to close it loses nothing. A container goes out as the sectors it holds.
        const auto image =
            platform::containers::openImage(request.imagePath, platform::Access::ReadOnly, error);
        if (!image) return failed(Failure::ImageFile, error, request.imagePath);
        const std::optional<uint64_t> size = image->size();
        if (!size || !imageMatchesGeometry(*size, geometry)) return failed(Failure::ImageSizeDiffers);

        // The geometry is the floppy's, so the format keeps its type.
        if (drive.osKind == OsKind::Nt && observer.formatBeforeWriting()) {
            if (auto notFormatted = formatMedium(held, geometry, observer)) return *notFormatted;
        }
        return writeAllCylinders(held, *image, geometry, buffer->bytes(), observer);
    });
}

}  // namespace converter::actions
