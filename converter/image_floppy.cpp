#include "image_floppy.h"

#include <algorithm>
#include <cctype>

#include "emulation/drive_requests.h"
#include "emulation/drive_status.h"
#include "format_cylinders.h"
#include "text_compare.h"

namespace converter {

using emulation::StreamResult;

namespace {

uint64_t owner(FloppyHandle handle) {
    return static_cast<uint64_t>(handle);
}

}  // namespace

ImageFloppy::ImageFloppy(emulation::EmulatedDrive& drive, std::string_view driveText)
    : drive_(drive), driveText_(driveText) {}

uint64_t* ImageFloppy::position(FloppyHandle handle) {
    const auto open = positions_.find(static_cast<int64_t>(handle));
    if (open == positions_.end()) {
        lastError_ = ERROR_INVALID_HANDLE;
        return nullptr;
    }
    return &open->second;
}

FloppyHandle ImageFloppy::OpenDrive(std::string_view driveText) {
    if (!sameTextIgnoringCase(driveText, driveText_)) {
        lastError_ = ERROR_FILE_NOT_FOUND;
        return INVALID_HANDLE_VALUE;
    }
    const int64_t handle = nextHandle_++;
    positions_[handle] = 0;
    return FloppyHandle{handle};
}

bool ImageFloppy::CloseDrive(FloppyHandle handle) {
    if (!position(handle)) return false;
    // Closing a handle gives up the volume lock taken through it.
    drive_.releaseLock(owner(handle));
    positions_.erase(static_cast<int64_t>(handle));
    return true;
}

bool ImageFloppy::QueryGeometry(FloppyHandle handle, int, DiskGeometry& geometry) {
    if (!position(handle)) return false;
    if (drive_.noAnswer() || !drive_.hasMedium()) return fail(ERROR_NOT_READY);
    const auto medium = drive_.mediumGeometry();
    if (!medium) return fail(ERROR_UNRECOGNIZED_MEDIA);
    geometry = *medium;
    return true;
}

int ImageFloppy::QueryMediaTypes(FloppyHandle handle) {
    mediaTypeCount_ = 0;
    if (!position(handle)) return 0;
    if (drive_.noAnswer()) {
        fail(ERROR_NOT_READY);
        return 0;
    }
    const auto types = drive_.supportedTypes();
    // The platform's answer would not fit the 20 places the converter keeps.
    if (types.size() > kMaxMediaTypes) {
        fail(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::copy(types.begin(), types.end(), mediaTypes_.begin());
    mediaTypeCount_ = types.size();
    return static_cast<int>(mediaTypeCount_);
}

bool ImageFloppy::LockDrive(FloppyHandle handle, int) {
    if (!position(handle)) return false;
    if (drive_.noAnswer()) return fail(ERROR_NOT_READY);
    return drive_.lock(owner(handle)) || fail(ERROR_ACCESS_DENIED);
}

bool ImageFloppy::UnlockDrive(FloppyHandle handle, int) {
    if (!position(handle)) return false;
    if (drive_.noAnswer()) return fail(ERROR_NOT_READY);
    return drive_.unlock(owner(handle)) || fail(ERROR_NOT_LOCKED);
}

bool ImageFloppy::CheckMedia(FloppyHandle handle) {
    if (!position(handle)) return false;
    return (!drive_.noAnswer() && drive_.hasMedium()) || fail(ERROR_NOT_READY);
}

bool ImageFloppy::DismountDrive(FloppyHandle handle) {
    if (!position(handle)) return false;
    return !drive_.noAnswer() || fail(ERROR_NOT_READY);
}

bool ImageFloppy::ReadSectors(FloppyHandle handle, std::span<uint8_t> buffer, uint32_t& bytesDone, int,
                              ByteOffset, uint32_t) {
    bytesDone = 0;
    uint64_t* at = position(handle);
    if (!at) return false;
    const StreamResult r = emulation::readStream(drive_, *at, buffer);
    if (r.error != 0) return fail(r.error);
    *at += r.bytes;
    bytesDone = r.bytes;
    return true;
}

bool ImageFloppy::WriteSectors(FloppyHandle handle, std::span<const uint8_t> buffer, uint32_t& bytesDone,
                               ByteOffset, int, uint32_t) {
    bytesDone = 0;
    uint64_t* at = position(handle);
    if (!at) return false;
    const StreamResult r = emulation::writeStream(drive_, *at, buffer);
    if (r.error != 0) return fail(r.error);
    *at += r.bytes;
    bytesDone = r.bytes;
    return true;
}

RawSectorRead ImageFloppy::ReadSectorRaw(FloppyHandle handle, const SectorId& id, std::span<uint8_t> out) {
    if (!drive_.raw()) return FloppyAccess::ReadSectorRaw(handle, id, out);
    if (!position(handle)) return {RawReadOutcome::Failed, lastError_};
    if (drive_.noAnswer()) return {RawReadOutcome::Failed, ERROR_NOT_READY};
    const emulation::RawTransfer t = drive_.readRaw({id.cylinder, id.head, id.sector}, out);
    const uint32_t code = emulation::win32ErrorFor(t.status);
    lastError_ = code;
    switch (t.status) {
        case emulation::DriveStatus::Ok:
            return {RawReadOutcome::Good, 0};
        case emulation::DriveStatus::CrcError:
            return {t.dataDelivered ? RawReadOutcome::DataCrcError : RawReadOutcome::Failed, code};
        case emulation::DriveStatus::SectorNotFound:
            return {RawReadOutcome::NoHeader, code};
        case emulation::DriveStatus::AddressMarkNotFound:
            return {RawReadOutcome::NoDataMark, code};
        default:
            return {RawReadOutcome::Failed, code};
    }
}

bool ImageFloppy::Recalibrate(FloppyHandle handle) {
    if (!position(handle)) return false;
    if (drive_.noAnswer()) return fail(ERROR_NOT_READY);
    drive_.recalibrate();
    return true;
}

bool ImageFloppy::SetDrivePosition(FloppyHandle handle, uint32_t byteOffset) {
    uint64_t* at = position(handle);
    if (!at) return false;
    *at = byteOffset;
    return true;
}

bool ImageFloppy::FormatAllCylinders(FloppyHandle handle, const DiskGeometry& geometry,
                                     ProgressPort& progress) {
    if (!position(handle)) return false;
    if (!formatGeometryUsable(geometry)) return fail(ERROR_INVALID_PARAMETER);
    return formatEachCylinder(geometry, progress, [&](uint32_t cylinder) {
        const uint32_t error =
            emulation::formatTracks(drive_, geometry.mediaType, cylinder, 0, geometry.tracksPerCylinder - 1);
        return error == 0 || fail(error);
    });
}

}  // namespace converter
