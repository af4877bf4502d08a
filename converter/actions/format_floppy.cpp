#include "format_floppy.h"

#include <algorithm>

#include "bootsectors/empty_image.h"
#include "cylinder_buffer.h"
#include "format_medium.h"
#include "format_types.h"
#include "take_drive.h"

namespace converter::actions {
namespace {

// Cylinder 0 holds the boot sector, both FATs and the root directory on every type with a template, so one
// write of it lays down the whole empty file system.
std::optional<Result> layDownFileSystem(HeldDrive& held, const DiskGeometry& geometry,
                                        const std::vector<uint8_t>& start, std::span<uint8_t> cylinder) {
    std::fill(cylinder.begin(), cylinder.end(), 0);
    std::copy(start.begin(), start.end(), cylinder.begin());
    // A move that fails shows in the write that follows.
    held.access().SetDrivePosition(held.handle(), 0);
    uint32_t written = 0;
    if (held.access().WriteSectors(held.handle(), cylinder, written, ByteOffset{0}, held.number(),
                                   geometry.bytesPerSector) &&
        written == cylinder.size())
        return std::nullopt;
    return failed(Failure::FileSystemWrite, static_cast<int>(held.access().LastError()));
}

}  // namespace

void formatFloppy(const ActionDrive& drive, const FormatRequest& request, ActionObserver& observer) {
    runWithDrive(drive, observer, [&](HeldDrive& held) -> Result {
        if (drive.osKind != OsKind::Nt) return failed(Failure::FormatsOnlyOnNt);
        const std::optional<DiskGeometry> chosen = builtGeometry(request.mediaType);
        DiskGeometry geometry{};
        // An unformatted floppy lists no medium; one of a type without a template cannot keep its type.
        const bool offered = !chosen && !(request.listed.medium && formattableMedium(*request.listed.medium));
        if (offered) {
            geometry = offeredGeometry(request.listed.types);
            if (!observer.formatToOffered(geometry)) return failed(Failure::Declined);
        }
        if (auto stopped = takeDrive(held, drive, observer)) return *stopped;
        if (!offered) {
            if (!observer.eraseFloppy(driveLetter(drive.number))) return failed(Failure::Declined);
            if (chosen) {
                geometry = *chosen;
            } else if (auto unknown = queryGeometry(held, geometry)) {
                return *unknown;
            }
        }
        // A floppy exchanged since it was listed may be of a type without a template.
        const auto templateId = templateFor(geometry.mediaType);
        auto start =
            templateId ? bootsectors::emptyFileSystemStart(*templateId, request.label) : std::nullopt;
        if (!start) return failed(Failure::NoTemplate);
        const std::vector<uint8_t> entry = bootsectors::labelEntry(request.label);
        start->insert(start->end(), entry.begin(), entry.end());
        auto buffer = cylinderBuffer(geometry);
        if (!buffer || buffer->size() < start->size()) return failed(Failure::NoBuffer);

        if (auto notFormatted = formatMedium(held, geometry, observer)) return *notFormatted;
        if (auto notLaid = layDownFileSystem(held, geometry, *start, buffer->bytes())) return *notLaid;
        return {};
    });
}

}  // namespace converter::actions
