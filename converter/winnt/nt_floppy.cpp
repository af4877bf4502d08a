#include "winnt/nt_floppy.h"

#include <vector>

#include "disk_geometry_layout.h"
#include "format_cylinders.h"
#include "winnt/device_name.h"
#include "winnt/format_parameters.h"
#include "winnt/nt_control_codes.h"

namespace converter::winnt {

FloppyHandle NtFloppy::OpenDrive(std::string_view driveText) {
    const FloppyHandle handle = seam_.CreateFileA(deviceNameForDrive(driveText), GENERIC_READ | GENERIC_WRITE,
                                                  FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, 0);
    if (handle == INVALID_HANDLE_VALUE) lastError_ = seam_.GetLastError();
    return handle;
}

bool NtFloppy::CloseDrive(FloppyHandle handle) {
    return seam_.CloseHandle(handle) || fail(seam_.GetLastError());
}

bool NtFloppy::control(FloppyHandle handle, uint32_t code, std::span<const uint8_t> in,
                       std::span<uint8_t> out, uint32_t& returned) {
    returned = 0;
    return seam_.DeviceIoControl(handle, code, in, out, returned) || fail(seam_.GetLastError());
}

bool NtFloppy::QueryGeometry(FloppyHandle handle, int, DiskGeometry& geometry) {
    DiskGeometryBytes answer;
    uint32_t returned = 0;
    if (!control(handle, IOCTL_DISK_GET_DRIVE_GEOMETRY, {}, answer.span(), returned)) return false;
    // A success that filled less than the record would leave numbers nobody asked the drive for.
    if (returned != DiskGeometryBytes::kBytes) return fail(ERROR_INVALID_DATA);
    geometry = decodeGeometry(answer.span());
    return true;
}

int NtFloppy::QueryMediaTypes(FloppyHandle handle) {
    mediaTypeCount_ = 0;
    std::array<uint8_t, kMaxMediaTypes * DiskGeometryBytes::kBytes> answer{};
    uint32_t returned = 0;
    // More than 20 types do not fit: the platform refuses the request.
    if (!control(handle, IOCTL_STORAGE_GET_MEDIA_TYPES, {}, answer, returned)) return 0;
    if (returned > answer.size()) {
        fail(ERROR_INVALID_DATA);
        return 0;
    }
    mediaTypeCount_ = returned / DiskGeometryBytes::kBytes;
    for (size_t i = 0; i < mediaTypeCount_; ++i) {
        mediaTypes_[i] = decodeGeometry(std::span(answer).subspan(i * DiskGeometryBytes::kBytes));
    }
    return static_cast<int>(mediaTypeCount_);
}

bool NtFloppy::LockDrive(FloppyHandle handle, int) {
    uint32_t returned = 0;
    return control(handle, FSCTL_LOCK_VOLUME, {}, {}, returned);
}

bool NtFloppy::UnlockDrive(FloppyHandle handle, int) {
    uint32_t returned = 0;
    return control(handle, FSCTL_UNLOCK_VOLUME, {}, {}, returned);
}

bool NtFloppy::CheckMedia(FloppyHandle handle) {
    uint32_t returned = 0;
    return control(handle, IOCTL_STORAGE_CHECK_VERIFY, {}, {}, returned);
}

bool NtFloppy::DismountDrive(FloppyHandle handle) {
    uint32_t returned = 0;
    return control(handle, FSCTL_DISMOUNT_VOLUME, {}, {}, returned);
}

bool NtFloppy::ReadSectors(FloppyHandle handle, std::span<uint8_t> buffer, uint32_t& bytesDone, int,
                           ByteOffset, uint32_t) {
    bytesDone = 0;
    uint32_t moved = 0;
    if (!seam_.ReadFile(handle, buffer, moved)) return fail(seam_.GetLastError());
    // Callers copy bytesDone bytes out of the buffer; a count beyond it is not believed.
    if (moved > buffer.size()) return fail(ERROR_INVALID_DATA);
    bytesDone = moved;
    return true;
}

bool NtFloppy::WriteSectors(FloppyHandle handle, std::span<const uint8_t> buffer, uint32_t& bytesDone,
                            ByteOffset, int, uint32_t) {
    bytesDone = 0;
    uint32_t moved = 0;
    if (!seam_.WriteFile(handle, buffer, moved)) return fail(seam_.GetLastError());
    if (moved > buffer.size()) return fail(ERROR_INVALID_DATA);
    bytesDone = moved;
    return true;
}

bool NtFloppy::SetDrivePosition(FloppyHandle handle, uint32_t byteOffset) {
    // Without the high word the distance is a signed 32-bit number; floppies end far below that.
    if (byteOffset > 0x7FFFFFFF) return fail(ERROR_INVALID_PARAMETER);
    const uint32_t at = seam_.SetFilePointer(handle, static_cast<int32_t>(byteOffset), FILE_BEGIN);
    if (at == INVALID_SET_FILE_POINTER) return fail(seam_.GetLastError());
    return at == byteOffset || fail(ERROR_INVALID_DATA);
}

bool NtFloppy::FormatAllCylinders(FloppyHandle handle, const DiskGeometry& geometry, ProgressPort& progress) {
    if (!formatGeometryUsable(geometry)) return fail(ERROR_INVALID_PARAMETER);
    // Where the device lists bad tracks; nothing looks at them.
    std::vector<uint8_t> badTracks(size_t{geometry.tracksPerCylinder} * 2, 0);
    return formatEachCylinder(geometry, progress, [&](uint32_t cylinder) {
        FORMAT_PARAMETERS p;
        p.set(FORMAT_PARAMETERS::MediaType, static_cast<uint32_t>(geometry.mediaType));
        p.set(FORMAT_PARAMETERS::StartCylinderNumber, cylinder);
        p.set(FORMAT_PARAMETERS::EndCylinderNumber, cylinder);
        p.set(FORMAT_PARAMETERS::StartHeadNumber, 0);
        p.set(FORMAT_PARAMETERS::EndHeadNumber, geometry.tracksPerCylinder - 1);
        uint32_t returned = 0;
        return control(handle, IOCTL_DISK_FORMAT_TRACKS, p.span(), badTracks, returned);
    });
}

}  // namespace converter::winnt
