// The legacy controller's raw path: single sectors through FDRAWCMD, without the driver's retries, so a
// CRC-failed data field comes back for the vote instead of an EIO.
#include <cctype>
#include <set>

#include "linux/fdc_results.h"
#include "linux/linux_floppy.h"

namespace converter::linux_floppy {
namespace {

// The controller's unit number: /dev/fd1 is unit 1, /dev/fd4 unit 0 of the second controller.
uint8_t unitOf(const std::string& path) {
    size_t digits = path.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(path[digits - 1])) != 0) --digits;
    return digits == path.size() ? 0 : static_cast<uint8_t>(std::stoul(path.substr(digits)) & 3);
}

// 512 → 2: the size code N of a sector header.
uint8_t sizeCode(uint32_t bytes) {
    uint8_t n = 0;
    while ((128u << n) < bytes && n < 7) ++n;
    return n;
}

// The physical track of a cylinder: a 40-track medium in an 80-track drive steps twice.
int32_t trackOf(const FloppyParams& params, uint32_t cylinder) {
    return static_cast<int32_t>(cylinder << (params.stretch & 1));
}

constexpr uint8_t rateOf(const FloppyParams& params) {
    return params.rate & 0x43;  // the data rate and the perpendicular bit; the rest is the driver's
}

}  // namespace

const FloppyParams* LinuxFloppy::mediumParams(Opened& drive) {
    if (drive.params) return &*drive.params;
    std::array<uint8_t, FloppyParams::kBytes> bytes{};
    if (const int rc = sys_.ioctl(drive.fd, request::FdGetPrm, bytes); rc < 0) {
        lastError_ = explain(drive, rc);
        return nullptr;
    }
    drive.params = FloppyParams::decode(bytes);
    return &*drive.params;
}

bool LinuxFloppy::sendRaw(Opened& drive, RawCommand& command, std::span<uint8_t> data) {
    if (drive.rawMissing) return fail(ERROR_NOT_SUPPORTED);
    auto bytes = command.encode();
    int rc = sys_.rawCommand(drive.fd, bytes, data);
    // A signal that asks the rescue to stop must not cost the sector under the head: finish it first.
    if (rc == -err::Intr) rc = sys_.rawCommand(drive.fd, bytes, data);
    if (rc == -err::OpNotSupp || rc == -err::NoTty) {
        drive.rawMissing = true;
        return fail(ERROR_NOT_SUPPORTED);
    }
    if (rc < 0) return fail(explain(drive, rc));
    command = RawCommand::decode(bytes);
    return true;
}

std::optional<RawCommand> LinuxFloppy::readData(Opened& drive, const FloppyParams& params, const SectorId& id,
                                                std::span<uint8_t> out) {
    RawCommand c;
    c.flags = RawCommand::kRead | RawCommand::kIntr | RawCommand::kNeedDisk | RawCommand::kNeedSeek;
    c.length = static_cast<int64_t>(out.size());
    c.rate = rateOf(params);
    c.track = trackOf(params, id.cylinder);
    const uint8_t r = static_cast<uint8_t>(id.sector);
    c.cmd = {fdc::kReadData, static_cast<uint8_t>(id.head << 2 | unitOf(drive.device.path)),
             static_cast<uint8_t>(id.cylinder), static_cast<uint8_t>(id.head), r, sizeCode(params.sectorBytes()),
             r /* EOT: this sector is the last */, params.gap, 0xFF};
    c.cmdCount = 9;
    if (!sendRaw(drive, c, out)) return std::nullopt;
    drive.lastTrack = c.track;
    return c;
}

std::optional<std::array<uint8_t, 4>> LinuxFloppy::readId(Opened& drive, const FloppyParams& params,
                                                          uint32_t cylinder, uint32_t head) {
    RawCommand c;
    c.flags = RawCommand::kIntr | RawCommand::kNeedDisk | RawCommand::kNeedSeek;
    c.rate = rateOf(params);
    c.track = trackOf(params, cylinder);
    c.cmd = {fdc::kReadId, static_cast<uint8_t>(head << 2 | unitOf(drive.device.path))};
    c.cmdCount = 2;
    if (!sendRaw(drive, c, {})) return std::nullopt;
    drive.lastTrack = c.track;
    const ReadIdVerdict verdict = judgeReadId(c);
    if (!verdict.header) lastError_ = verdict.code;
    return verdict.header;
}

RawSectorRead LinuxFloppy::ReadSectorRaw(FloppyHandle handle, const SectorId& id, std::span<uint8_t> out) {
    Opened* drive = find(handle);
    if (drive == nullptr) return {RawReadOutcome::Failed, lastError_};
    if (drive->device.backEnd != DriveBackEnd::Controller) {
        lastError_ = ERROR_NOT_SUPPORTED;
        return {};
    }
    const FloppyParams* params = mediumParams(*drive);
    if (params == nullptr) return {RawReadOutcome::Failed, lastError_};
    if (out.size() != params->sectorBytes()) return {RawReadOutcome::Failed, lastError_ = ERROR_INVALID_PARAMETER};

    ReadDataVerdict verdict;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const auto reply = readData(*drive, *params, id, out);
        // Without raw commands in the kernel the rescue reads sectors the plain way.
        if (!reply && drive->rawMissing) return {RawReadOutcome::NotOffered, lastError_};
        if (!reply) return {RawReadOutcome::Failed, lastError_};
        verdict = judgeReadData(*reply);
        // No such header: READ ID tells a head over the wrong track (headers of another cylinder) from a
        // track that lacks this one sector's header.
        if (verdict.outcome == RawReadOutcome::NoHeader) {
            const auto header = readId(*drive, *params, id.cylinder, id.head);
            verdict.wrongTrack = header && (*header)[0] != id.cylinder;
        }
        if (!verdict.wrongTrack || attempt == 1) break;
        if (!recalibrateController(*drive)) return {RawReadOutcome::Failed, lastError_};
    }
    lastError_ = verdict.code;
    return {verdict.outcome, verdict.code};
}

std::optional<uint32_t> LinuxFloppy::SectorsOnTrack(FloppyHandle handle, uint32_t cylinder, uint32_t head) {
    Opened* drive = find(handle);
    if (drive == nullptr) return std::nullopt;
    if (drive->device.backEnd != DriveBackEnd::Controller) {
        lastError_ = ERROR_NOT_SUPPORTED;
        return std::nullopt;
    }
    const FloppyParams* params = mediumParams(*drive);
    if (params == nullptr) return std::nullopt;
    // Each READ ID returns the next header under the head. Between two calls the disk turns on by an
    // unknown number of sectors, so ask until the set of sectors stops growing for a good while: far more
    // calls than any track has headers.
    std::set<uint8_t> seen;
    uint32_t quiet = 0;
    for (uint32_t calls = 0; calls < 160 && quiet < 48; ++calls) {
        const auto header = readId(*drive, *params, cylinder, head);
        if (!header) return seen.empty() ? std::nullopt : std::optional<uint32_t>(static_cast<uint32_t>(seen.size()));
        quiet = seen.insert((*header)[2]).second ? 0 : quiet + 1;
    }
    return static_cast<uint32_t>(seen.size());
}

bool LinuxFloppy::FindTrackLayout(FloppyHandle handle, DiskGeometry& geometry) {
    Opened* drive = find(handle);
    if (drive == nullptr) return false;
    if (drive->device.backEnd != DriveBackEnd::Controller) return fail(ERROR_NOT_SUPPORTED);
    const auto onTrack = SectorsOnTrack(handle, 0, 0);
    if (!onTrack) return false;
    const FloppyParams* params = mediumParams(*drive);
    if (params == nullptr) return false;
    if (*onTrack <= params->sect) return true;
    // The driver autodetects by reading a track's first sector, which a DMF disk's format passes as 1.44 MB.
    FloppyParams wider = *params;
    wider.sect = *onTrack;
    wider.size = wider.sect * wider.head * wider.track;
    auto bytes = wider.encode();
    // Kept by the driver until the medium changes: the geometry of this disk, not of the drive.
    if (const int rc = sys_.ioctl(drive->fd, request::FdSetPrm, bytes); rc < 0) return fail(explain(*drive, rc));
    drive->params = wider;
    // Still the kind of medium the driver recognised (a DMF disk is a 3.5-inch HD one), only wider.
    geometry.sectorsPerTrack = wider.sect;
    return true;
}

bool LinuxFloppy::recalibrateController(Opened& drive) {
    const uint8_t unit = unitOf(drive.device.path);
    // One RECALIBRATE steps at most 79 times; an 80-track drive's head can be further out than that.
    SeekVerdict verdict;
    for (int attempt = 0; attempt < 2; ++attempt) {
        RawCommand c;
        c.flags = RawCommand::kIntr;
        c.cmd = {fdc::kRecalibrate, unit};
        c.cmdCount = 2;
        if (!sendRaw(drive, c, {})) return false;
        verdict = judgeSeek(c);
        if (!verdict.trackZeroMissed) break;
    }
    if (!verdict.ok) return fail(verdict.code);
    // Back to where the rescue was, so the next read's own seek is a short one from a known place.
    RawCommand seek;
    seek.flags = RawCommand::kIntr;
    seek.cmd = {fdc::kSeek, unit, static_cast<uint8_t>(drive.lastTrack)};
    seek.cmdCount = 3;
    if (!sendRaw(drive, seek, {})) return false;
    const SeekVerdict back = judgeSeek(seek);
    if (!back.ok) return fail(back.code);
    if (back.cylinder != static_cast<uint8_t>(drive.lastTrack)) return fail(ERROR_SEEK);
    return true;
}

bool LinuxFloppy::Recalibrate(FloppyHandle handle) {
    Opened* drive = find(handle);
    if (drive == nullptr) return false;
    return drive->device.backEnd == DriveBackEnd::Controller ? recalibrateController(*drive) : rezeroUsb(*drive);
}

bool LinuxFloppy::QuietDriverMessages(FloppyHandle handle, bool quiet) {
    Opened* drive = find(handle);
    if (drive == nullptr) return false;
    if (drive->device.backEnd != DriveBackEnd::Controller) return fail(ERROR_NOT_SUPPORTED);
    if (!quiet) return restoreDriverMessages(*drive);
    if (drive->loudParams) return true;
    std::array<uint8_t, DriveParams::kBytes> bytes{};
    if (const int rc = sys_.ioctl(drive->fd, request::FdGetDrvPrm, bytes); rc < 0) return failErrno(rc);
    const uint8_t flags = bytes[DriveParams::kFlagsAt];
    const uint32_t reporting = loadU32(bytes, DriveParams::kReportingAt);
    // A line per failed request is printed once the request's error count reaches the reporting threshold,
    // and never when the threshold lies beyond the count at which the request is given up.
    bytes[DriveParams::kFlagsAt] = static_cast<uint8_t>(flags & ~DriveParams::kMessagesFlag);
    storeU32(bytes, DriveParams::kReportingAt, loadU32(bytes, DriveParams::kAbortAt) + 1);
    // Only root may set drive parameters; the messages then stay, and the caller hears why.
    if (const int rc = sys_.ioctl(drive->fd, request::FdSetDrvPrm, bytes); rc < 0) return failErrno(rc);
    drive->loudParams = std::pair{flags, reporting};
    return true;
}

bool LinuxFloppy::restoreDriverMessages(Opened& drive) {
    if (!drive.loudParams) return true;
    std::array<uint8_t, DriveParams::kBytes> bytes{};
    if (const int rc = sys_.ioctl(drive.fd, request::FdGetDrvPrm, bytes); rc < 0) return failErrno(rc);
    // Only what was changed goes back; anything else set meanwhile stays.
    const uint8_t flags = bytes[DriveParams::kFlagsAt];
    bytes[DriveParams::kFlagsAt] =
        static_cast<uint8_t>((flags & ~DriveParams::kMessagesFlag) | (drive.loudParams->first & DriveParams::kMessagesFlag));
    storeU32(bytes, DriveParams::kReportingAt, drive.loudParams->second);
    if (const int rc = sys_.ioctl(drive.fd, request::FdSetDrvPrm, bytes); rc < 0) return failErrno(rc);
    drive.loudParams.reset();
    return true;
}

}  // namespace converter::linux_floppy
