#include "linux/linux_floppy.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "format_cylinders.h"
#include "linux/media_tables.h"
#include "linux/ufi_commands.h"
#include "media_types.h"
#include "platform/aligned_buffer.h"
#include "text_compare.h"

namespace converter::linux_floppy {

namespace {

constexpr uint32_t kOpenFlags = OpenFlag::kReadWrite | OpenFlag::kNonBlock;

bool sameShape(const DiskGeometry& a, const DiskGeometry& b) {
    return a.cylinders == b.cylinders && a.tracksPerCylinder == b.tracksPerCylinder &&
           a.sectorsPerTrack == b.sectorsPerTrack && a.bytesPerSector == b.bytesPerSector;
}

}  // namespace

LinuxFloppy::Opened* LinuxFloppy::find(FloppyHandle handle) {
    const auto it = open_.find(static_cast<int64_t>(handle));
    if (it == open_.end()) {
        lastError_ = ERROR_INVALID_HANDLE;
        return nullptr;
    }
    return &it->second;
}

bool LinuxFloppy::driveStatus(Opened& drive, DriveStatus& status) {
    std::array<uint8_t, DriveStatus::kBytes> bytes{};
    if (sys_.ioctl(drive.fd, request::FdGetDrvStat, bytes) < 0) return false;
    status = DriveStatus::decode(bytes);
    return true;
}

uint32_t LinuxFloppy::explain(Opened& drive, int error) {
    if (drive.device.backEnd == DriveBackEnd::UsbFloppy) {
        // sd marks a protected disk read-only: writes then fail EPERM, opens for writing EROFS.
        const int e = error < 0 ? -error : error;
        if (e == err::Perm || e == err::RoFs) return ERROR_WRITE_PROTECT;
        return lastErrorForErrno(e);
    }
    DriveStatus status;
    if (!driveStatus(drive, status)) return lastErrorForErrno(error);
    return lastErrorWithStatus(error, status);
}

int LinuxFloppy::driveCmos(Opened& drive) {
    std::array<uint8_t, DriveParams::kBytes> bytes{};
    const int rc = sys_.ioctl(drive.fd, request::FdGetDrvPrm, bytes);
    if (rc < 0) {
        lastError_ = lastErrorForErrno(rc);
        return -1;
    }
    return static_cast<int8_t>(bytes[DriveParams::kCmosAt]);
}

int LinuxFloppy::openDirect(const std::string& path, uint32_t flags) {
    const int fd = sys_.open(path, flags);
    if (fd < 0) return fd;
    // Sectors move with O_DIRECT; set afterwards on the same descriptor, as the driver needs one only.
    if (const int rc = sys_.fcntlAddFlags(fd, OpenFlag::kDirect); rc < 0) {
        sys_.close(fd);
        return rc;
    }
    return fd;
}

FloppyHandle LinuxFloppy::OpenDrive(std::string_view driveText) {
    const auto device = std::find_if(devices_.begin(), devices_.end(), [&](const FloppyDevice& d) {
        return sameTextIgnoringCase(d.letter, driveText);
    });
    if (device == devices_.end()) {
        lastError_ = ERROR_FILE_NOT_FOUND;
        return INVALID_HANDLE_VALUE;
    }
    Opened drive;
    drive.device = *device;
    drive.openFlags = kOpenFlags;
    int fd = openDirect(device->path, kOpenFlags);
    // sd refuses writing on a protected medium even without blocking; such a drive can still be read.
    if (fd == -err::RoFs && device->backEnd == DriveBackEnd::UsbFloppy) {
        drive.openFlags = OpenFlag::kNonBlock;
        fd = openDirect(device->path, drive.openFlags);
    }
    if (fd < 0) {
        lastError_ = lastErrorForErrno(fd);
        return INVALID_HANDLE_VALUE;
    }
    drive.fd = fd;
    const int64_t handle = nextHandle_++;
    open_.emplace(handle, drive);
    return FloppyHandle{handle};
}

bool LinuxFloppy::CloseDrive(FloppyHandle handle) {
    Opened* drive = find(handle);
    if (drive == nullptr) return false;
    // A rescue that ended without giving the messages back (an error on its way out) still does so here.
    const bool restored = restoreDriverMessages(*drive);
    const uint32_t restoreError = lastError_;
    const int rc = sys_.close(drive->fd);
    open_.erase(static_cast<int64_t>(handle));
    if (rc < 0) return failErrno(rc);
    return restored || fail(restoreError);
}

bool LinuxFloppy::LockDrive(FloppyHandle handle, int) {
    Opened* drive = find(handle);
    if (drive == nullptr) return false;
    if (drive->locked) return true;
    // The claim is a second, exclusive open; the first descriptor must go at once, since the driver refuses
    // to format while the drive has any other open file.
    const int fd = openDirect(drive->device.path, drive->openFlags | OpenFlag::kExclusive);
    if (fd < 0) return failErrno(fd);
    sys_.close(drive->fd);
    drive->fd = fd;
    if (drive->device.backEnd == DriveBackEnd::Controller) {
        // O_EXCL only keeps out other exclusive openers; a program reading the drive shows in the count.
        DriveStatus status;
        if (driveStatus(*drive, status) && status.fdRef > 1) return fail(ERROR_ACCESS_DENIED);
    }
    drive->locked = true;
    return true;
}

bool LinuxFloppy::UnlockDrive(FloppyHandle handle, int) {
    Opened* drive = find(handle);
    if (drive == nullptr) return false;
    // The exclusive claim ends with the descriptor; until then nothing of ours writes without the lock.
    drive->locked = false;
    return true;
}

bool LinuxFloppy::CheckMedia(FloppyHandle handle) {
    Opened* drive = find(handle);
    if (drive == nullptr) return false;
    return drive->device.backEnd == DriveBackEnd::Controller ? checkLegacy(*drive) : checkUsb(*drive);
}

bool LinuxFloppy::checkLegacy(Opened& drive) {
    // The flush makes the driver look at the drive again; only then do the flags describe this medium.
    if (const int rc = sys_.ioctl(drive.fd, request::FdFlush, {}); rc < 0) return failErrno(rc);
    drive.params.reset();  // the medium may be another one now
    DriveStatus status;
    if (!driveStatus(drive, status)) return fail(ERROR_IO_DEVICE);
    if (status.flags & kDiskChanged) return fail(ERROR_NOT_READY);
    drive.knownProtected = (status.flags & kDiskWritable) == 0;
    return true;
}

bool LinuxFloppy::checkUsb(Opened& drive) {
    bool unformatted = false;
    // An unformatted medium is still a medium: it is there to be formatted.
    if (!scsi(drive, kTestUnitReady, SgDirection::None, {}, &unformatted) && !unformatted) return false;
    // The tab may have moved since the open. A drive that will not say leaves protection to the first write,
    // which reports it as well.
    std::array<uint8_t, kModeSenseBytes> header{};
    const uint32_t before = lastError_;
    if (scsi(drive, kModeSense, SgDirection::FromDevice, header)) {
        drive.knownProtected = (header[3] & 0x80) != 0;
    } else {
        lastError_ = before;
    }
    return true;
}

bool LinuxFloppy::scsi(Opened& drive, std::span<const uint8_t> cdb, SgDirection direction,
                       std::span<uint8_t> data, bool* unformatted, std::span<uint8_t> senseOut) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        std::array<uint8_t, 18> sense{};
        const SgOutcome out = sys_.sgIo(drive.fd, cdb, direction, data, sense, kCommandTimeoutMs);
        if (out.error < 0) return failErrno(out.error);
        if (out.hostStatus != 0) return fail(ERROR_IO_DEVICE);
        if (out.status == 0 && out.senseBytes == 0) return true;
        if (out.senseBytes == 0) return fail(ERROR_IO_DEVICE);  // busy or a status we cannot act on
        const auto given = std::span(sense).first(std::min<size_t>(out.senseBytes, 18));
        const SenseVerdict verdict = judgeSense(given);
        std::copy_n(given.begin(), std::min(given.size(), senseOut.size()), senseOut.begin());
        if (verdict.retry && attempt == 0) continue;
        if (verdict.unformatted && unformatted != nullptr) *unformatted = true;
        if (verdict.lastError == 0) return true;
        return fail(verdict.lastError);
    }
    return fail(ERROR_NOT_READY);
}

bool LinuxFloppy::QueryGeometry(FloppyHandle handle, int, DiskGeometry& geometry) {
    Opened* drive = find(handle);
    if (drive == nullptr) return false;
    if (drive->device.backEnd == DriveBackEnd::Controller) {
        // The driver learns a medium's format only when it revalidates the drive: without the flush a medium
        // nothing has read yet has no geometry, and one swapped in keeps the old one.
        if (const int rc = sys_.ioctl(drive->fd, request::FdFlush, {}); rc < 0)
            return fail(explain(*drive, rc));
        std::array<uint8_t, FloppyParams::kBytes> bytes{};
        if (const int rc = sys_.ioctl(drive->fd, request::FdGetPrm, bytes); rc < 0)
            return fail(explain(*drive, rc));
        drive->params = FloppyParams::decode(bytes);
        geometry = geometryFromParams(*drive->params);
        return true;
    }
    std::array<uint8_t, 8> capacity{};
    if (!scsi(*drive, kReadCapacity, SgDirection::FromDevice, capacity)) return false;
    const uint32_t blocks = loadBe32(capacity, 0) + 1;
    const uint32_t blockBytes = loadBe32(capacity, 4);
    // A capacity no floppy has is described, not guessed at: type 0 with nothing to size buffers from.
    geometry = geometryFromCapacity(blocks, blockBytes).value_or(DiskGeometry{0, Unknown, 2, 0, blockBytes});
    return true;
}

std::vector<DiskGeometry> LinuxFloppy::usbFormattable(Opened& drive) {
    std::array<uint8_t, kFormatCapacitiesBytes> bytes{};
    if (!scsi(drive, kReadFormatCapacities, SgDirection::FromDevice, bytes)) return {};
    std::vector<DiskGeometry> found;
    const size_t end = std::min<size_t>(4 + size_t{bytes[3]}, bytes.size());
    for (size_t at = 12; at + 8 <= end; at += 8) {
        const uint32_t blocks = loadBe32(bytes, at);
        const uint32_t blockBytes = loadBe32(bytes, at + 4) & 0xFFFFFF;
        const auto geometry = geometryFromCapacity(blocks, blockBytes);
        if (!geometry || geometry->mediaType == Unknown) continue;
        const bool seen = std::any_of(found.begin(), found.end(), [&](const DiskGeometry& g) {
            return g.mediaType == geometry->mediaType;
        });
        if (!seen) found.push_back(*geometry);
    }
    // Largest first, like a controller drive's list: its own type leads.
    std::stable_sort(found.begin(), found.end(), [](const DiskGeometry& a, const DiskGeometry& b) {
        return imageBytes(a) > imageBytes(b);
    });
    return found;
}

int LinuxFloppy::QueryMediaTypes(FloppyHandle handle) {
    mediaTypeCount_ = 0;
    Opened* drive = find(handle);
    if (drive == nullptr) return 0;
    std::vector<DiskGeometry> list;
    if (drive->device.backEnd == DriveBackEnd::Controller) {
        const int cmos = driveCmos(*drive);
        if (cmos < 0) return 0;
        list = geometriesForCmos(cmos);
    } else {
        list = usbFormattable(*drive);
    }
    mediaTypeCount_ = std::min(list.size(), kMaxMediaTypes);
    std::copy_n(list.begin(), mediaTypeCount_, mediaTypes_.begin());
    return static_cast<int>(mediaTypeCount_);
}

bool LinuxFloppy::DismountDrive(FloppyHandle handle) {
    Opened* drive = find(handle);
    if (drive == nullptr) return false;
    if (const int rc = sys_.fsync(drive->fd); rc < 0) return fail(explain(*drive, rc));
    if (drive->device.backEnd == DriveBackEnd::Controller) {
        // Drops the driver's track buffer and makes it detect the format afresh, as a new format needs.
        drive->params.reset();
        if (const int rc = sys_.ioctl(drive->fd, request::FdFlush, {}); rc < 0)
            return fail(explain(*drive, rc));
        return true;
    }
    // Only root may drop sd's cache; without it the next open's revalidation does the same.
    sys_.ioctl(drive->fd, request::BlkFlsBuf, {});
    return true;
}

bool LinuxFloppy::transfer(Opened& drive, std::span<uint8_t> into, std::span<const uint8_t> from,
                           uint32_t& bytesDone) {
    bytesDone = 0;
    const size_t bytes = into.empty() ? from.size() : into.size();
    if (bytes == 0) return true;
    if (bytes % 512 != 0) return fail(ERROR_INVALID_PARAMETER);
    // O_DIRECT wants page-aligned memory; callers' buffers need not be.
    auto bounce = platform::AlignedBuffer::allocate(bytes);
    if (!bounce) return fail(ERROR_NOT_ENOUGH_MEMORY);
    int64_t moved = 0;
    if (into.empty()) {
        std::memcpy(bounce->bytes().data(), from.data(), bytes);
        moved = sys_.pwrite(drive.fd, bounce->bytes(), drive.position);
    } else {
        moved = sys_.pread(drive.fd, bounce->bytes(), drive.position);
    }
    if (moved < 0) return fail(explain(drive, static_cast<int>(moved)));
    if (static_cast<uint64_t>(moved) > bytes) return fail(ERROR_INVALID_DATA);
    if (!into.empty()) std::memcpy(into.data(), bounce->bytes().data(), static_cast<size_t>(moved));
    drive.position += static_cast<uint64_t>(moved);
    bytesDone = static_cast<uint32_t>(moved);
    return true;
}

bool LinuxFloppy::ReadSectors(FloppyHandle handle, std::span<uint8_t> buffer, uint32_t& bytesDone, int,
                              ByteOffset, uint32_t) {
    bytesDone = 0;
    Opened* drive = find(handle);
    if (drive == nullptr) return false;
    return transfer(*drive, buffer, {}, bytesDone);
}

bool LinuxFloppy::WriteSectors(FloppyHandle handle, std::span<const uint8_t> buffer, uint32_t& bytesDone,
                               ByteOffset, int, uint32_t) {
    bytesDone = 0;
    Opened* drive = find(handle);
    if (drive == nullptr) return false;
    if (!drive->locked) return fail(ERROR_NOT_LOCKED);
    if (drive->writeBlocked()) return fail(ERROR_WRITE_PROTECT);
    return transfer(*drive, {}, buffer, bytesDone);
}

bool LinuxFloppy::SetDrivePosition(FloppyHandle handle, uint32_t byteOffset) {
    Opened* drive = find(handle);
    if (drive == nullptr) return false;
    drive->position = byteOffset;
    return true;
}

bool LinuxFloppy::FormatAllCylinders(FloppyHandle handle, const DiskGeometry& geometry,
                                     ProgressPort& progress) {
    Opened* drive = find(handle);
    if (drive == nullptr) return false;
    if (!formatGeometryUsable(geometry)) return fail(ERROR_INVALID_PARAMETER);
    if (!drive->locked) return fail(ERROR_NOT_LOCKED);
    // Known protection answers at once; some controllers (and emulators) format a protected medium silently.
    if (drive->writeBlocked()) return fail(ERROR_WRITE_PROTECT);
    drive->params.reset();
    return drive->device.backEnd == DriveBackEnd::Controller ? formatLegacy(*drive, geometry, progress)
                                                             : formatUsb(*drive, geometry, progress);
}

bool LinuxFloppy::formatLegacy(Opened& drive, const DiskGeometry& geometry, ProgressPort& progress) {
    const int cmos = driveCmos(drive);
    if (cmos < 0) return false;
    const auto params = formatParamsFor(geometry.mediaType, cmos);
    if (!params) return fail(ERROR_NOT_SUPPORTED);
    const DiskGeometry target = geometryFromParams(*params);
    if (!sameShape(target, geometry)) return fail(ERROR_INVALID_PARAMETER);

    std::array<uint8_t, FloppyParams::kBytes> current{};
    const bool known = sys_.ioctl(drive.fd, request::FdGetPrm, current) >= 0;
    const FloppyParams now = FloppyParams::decode(current);
    const bool same = known && now.track == params->track && now.head == params->head &&
                      now.sect == params->sect && now.stretch == params->stretch && now.rate == params->rate;
    if (!same) {
        auto bytes = params->encode();
        if (const int rc = sys_.ioctl(drive.fd, request::FdSetPrm, bytes); rc < 0)
            return fail(explain(drive, rc));
    }
    if (const int rc = sys_.ioctl(drive.fd, request::FdFmtBeg, {}); rc < 0) return fail(explain(drive, rc));
    const bool formatted = formatEachCylinder(geometry, progress, [&](uint32_t cylinder) {
        for (uint32_t head = 0; head < geometry.tracksPerCylinder; ++head) {
            auto track = FormatTrack{0, head, cylinder}.encode();
            if (const int rc = sys_.ioctl(drive.fd, request::FdFmtTrk, track); rc < 0)
                return fail(explain(drive, rc));
        }
        return true;
    });
    // Ending the format also makes the driver look at the medium afresh; do it after a failure too.
    const int ended = sys_.ioctl(drive.fd, request::FdFmtEnd, {});
    if (!formatted) return false;
    return ended >= 0 || fail(explain(drive, ended));
}

bool LinuxFloppy::formatUsb(Opened& drive, const DiskGeometry& geometry, ProgressPort& progress) {
    lastError_ = 0;
    const auto formattable = usbFormattable(drive);
    const bool offered = std::any_of(formattable.begin(), formattable.end(),
                                     [&](const DiskGeometry& g) { return sameShape(g, geometry); });
    if (!offered) return formattable.empty() && lastError_ != 0 ? false : fail(ERROR_NOT_SUPPORTED);
    const uint32_t blocks = imageBytes(geometry) / geometry.bytesPerSector;
    const bool formatted = formatEachCylinder(geometry, progress, [&](uint32_t cylinder) {
        const Cdb cdb = formatUnitCdb(cylinder);
        for (uint32_t head = 0; head < geometry.tracksPerCylinder; ++head) {
            auto parameters = formatUnitParameters(head, blocks, geometry.bytesPerSector);
            if (!scsi(drive, cdb, SgDirection::ToDevice, parameters)) return false;
        }
        return true;
    });
    return formatted && rereadCapacity(drive);
}

bool LinuxFloppy::rereadCapacity(Opened& drive) {
    // sd keeps the capacity it read when the medium came in; an unformatted medium had none, so the file
    // system written next would not fit. A target reset makes it read again (root only); otherwise a fresh
    // open does, keeping the one descriptor and the claim.
    std::array<uint8_t, 4> target{};
    storeU32(target, 0, static_cast<uint32_t>(kScsiResetTarget));
    if (sys_.ioctl(drive.fd, request::SgScsiReset, target) >= 0) return true;
    sys_.close(drive.fd);  // the descriptor is gone whatever close says; the open below is what counts
    drive.fd = openDirect(drive.device.path, drive.openFlags | (drive.locked ? OpenFlag::kExclusive : 0u));
    return drive.fd >= 0 || failErrno(drive.fd);
}

}  // namespace converter::linux_floppy
