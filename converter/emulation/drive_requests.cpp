#include "emulation/drive_requests.h"

#include <algorithm>
#include <bit>

#include "win32_types.h"
#include "media_types.h"

namespace converter::emulation {
namespace {

// Finds what limits a transfer: the error that stops it, else how many bytes of it the medium takes.
template <typename Buffer>
StreamResult prepare(EmulatedDrive& drive, uint64_t position, Buffer buffer) {
    if (drive.noAnswer() || !drive.hasMedium()) return {ERROR_NOT_READY, 0};
    const auto geometry = drive.mediumGeometry();
    if (!geometry) return {ERROR_UNRECOGNIZED_MEDIA, 0};
    const uint32_t sector = geometry->bytesPerSector;
    if (position % sector != 0 || buffer.size() % sector != 0 ||
        std::bit_cast<uintptr_t>(static_cast<const void*>(buffer.data())) % sector != 0) {
        return {ERROR_INVALID_PARAMETER, 0};
    }
    const uint64_t end = mediumBytes(*geometry);
    return {0,
            static_cast<uint32_t>(position >= end ? 0 : std::min<uint64_t>(buffer.size(), end - position))};
}

}  // namespace

StreamResult readStream(EmulatedDrive& drive, uint64_t position, std::span<uint8_t> out) {
    StreamResult r = prepare(drive, position, out);
    if (r.error != 0 || r.bytes == 0) return r;
    const uint32_t sector = drive.mediumGeometry()->bytesPerSector;
    if (const auto most = drive.shortReadBytes()) r.bytes = std::min(r.bytes, *most / sector * sector);
    const Transfer t = drive.read(static_cast<uint32_t>(position / sector), out.first(r.bytes));
    if (t.status != DriveStatus::Ok) return {win32ErrorFor(t.status), 0};
    return r;
}

StreamResult writeStream(EmulatedDrive& drive, uint64_t position, std::span<const uint8_t> in) {
    if (!drive.noAnswer() && drive.hasMedium() && drive.writeProtected()) return {ERROR_WRITE_PROTECT, 0};
    StreamResult r = prepare(drive, position, in);
    if (r.error != 0 || r.bytes == 0) return r;
    const uint32_t sector = drive.mediumGeometry()->bytesPerSector;
    const Transfer t = drive.write(static_cast<uint32_t>(position / sector), in.first(r.bytes));
    if (t.status != DriveStatus::Ok) return {win32ErrorFor(t.status), 0};
    return r;
}

uint32_t formatTracks(EmulatedDrive& drive, int32_t mediaType, uint32_t cylinder, uint32_t firstHead,
                      uint32_t lastHead) {
    if (drive.noAnswer()) return ERROR_NOT_READY;
    if (firstHead > lastHead) return ERROR_INVALID_PARAMETER;
    for (uint32_t head = firstHead; head <= lastHead; ++head) {
        const DriveStatus status = drive.formatTrack(mediaType, cylinder, head);
        if (status == DriveStatus::BadCommand || status == DriveStatus::SeekFailed)
            return ERROR_INVALID_PARAMETER;
        if (status != DriveStatus::Ok) return win32ErrorFor(status);
        if (head == lastHead) break;  // lastHead may be the largest number there is
    }
    return 0;
}

}  // namespace converter::emulation
