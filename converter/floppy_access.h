#pragma once
// The only way the converter reaches a floppy: raw operations in whole sectors, each answering success or
// failure with the last-error code that explains a failure. Variants: Windows 95/98, Windows NT, and an
// emulated drive for hosts without either.
#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "orva.h"
#include "progress_port.h"
#include "win32_types.h"

namespace converter {

using FloppyHandle = Win32Handle;

// A byte offset on the medium. The transfers take it beside the drive number, in a different order for
// reading and writing as the platforms have them; as a type of its own the two cannot trade places unnoticed.
struct ByteOffset {
    uint32_t value = 0;
};
static_assert(!std::is_convertible_v<uint32_t, ByteOffset> && !std::is_convertible_v<ByteOffset, int>);

// A sector by the address in its header; sectors count from 1.
struct SectorId {
    uint32_t cylinder = 0;
    uint32_t head = 0;
    uint32_t sector = 1;
};

// How a single-sector read on the controller's own terms ended. A data field that failed its CRC still
// delivers its bytes: most of them are right, and a vote over several reads can restore the rest.
enum class RawReadOutcome {
    NotOffered,    // the variant has no raw path
    Good,          // the bytes are in the buffer
    DataCrcError,  // the bytes are in the buffer, but the data field's CRC failed
    NoHeader,      // no header with this address on the track
    NoDataMark,    // the header is there, its data field is not
    Failed,        // anything else: the code says what
};

struct RawSectorRead {
    RawReadOutcome outcome = RawReadOutcome::NotOffered;
    uint32_t code = ERROR_NOT_SUPPORTED;
};

// The platform's list of supported geometries holds at most this many.
inline constexpr size_t kMaxMediaTypes = 20;

class FloppyAccess {
  public:
    virtual ~FloppyAccess() = default;

    // driveText is "A:" for drive A. INVALID_HANDLE_VALUE on failure.
    virtual FloppyHandle OpenDrive(std::string_view driveText) = 0;
    virtual bool CloseDrive(FloppyHandle handle) = 0;

    // floppyDrive: 1 = A:, 2 = B:, ...
    virtual bool QueryGeometry(FloppyHandle handle, int floppyDrive, DiskGeometry& geometry) = 0;
    // How many geometries the drive supports (0..20), kept in MediaTypes(); 0 on failure or where the
    // platform cannot tell.
    virtual int QueryMediaTypes(FloppyHandle handle) = 0;
    std::span<const DiskGeometry> MediaTypes() const { return {mediaTypes_.data(), mediaTypeCount_}; }

    virtual bool LockDrive(FloppyHandle handle, int floppyDrive) = 0;
    virtual bool UnlockDrive(FloppyHandle handle, int floppyDrive) = 0;
    virtual bool CheckMedia(FloppyHandle handle) = 0;
    virtual bool DismountDrive(FloppyHandle handle) = 0;

    // Transfers buffer.size() bytes, a whole number of sectors. bytesDone is what moved on success, 0 on
    // failure. Variants that address by file position ignore byteOffset; callers set the position first.
    virtual bool ReadSectors(FloppyHandle handle, std::span<uint8_t> buffer, uint32_t& bytesDone,
                             int floppyDrive, ByteOffset byteOffset, uint32_t bytesPerSector) = 0;
    virtual bool WriteSectors(FloppyHandle handle, std::span<const uint8_t> buffer, uint32_t& bytesDone,
                              ByteOffset byteOffset, int floppyDrive, uint32_t bytesPerSector) = 0;
    // Moves the handle's file position; variants that take the offset with every request succeed at once.
    virtual bool SetDrivePosition(FloppyHandle handle, uint32_t byteOffset) = 0;

    virtual bool FormatAllCylinders(FloppyHandle handle, const DiskGeometry& geometry,
                                    ProgressPort& progress) = 0;

    // 1 when the drive's parameters were obtained, else 0. text gets the diagnostic lines where the variant
    // can produce them; selector 1 asks about the medium in the drive, anything else about the drive's
    // default.
    // Variants that have no diagnostic text answer with the medium's geometry alone.
    virtual int DiagnoseDrive(FloppyHandle handle, int floppyDrive, DiskGeometry& geometry,
                              std::string& /*text*/, int /*selector*/) {
        return QueryGeometry(handle, floppyDrive, geometry) ? 1 : 0;
    }

    // Rescue. Variants that cannot answer "not offered": NotOffered, or false with ERROR_NOT_SUPPORTED.
    // One sector read by its header's address, without the driver's own retries; out holds a sector.
    virtual RawSectorRead ReadSectorRaw(FloppyHandle /*handle*/, const SectorId& /*id*/,
                                        std::span<uint8_t> /*out*/) {
        lastError_ = ERROR_NOT_SUPPORTED;
        return {};
    }
    // Moves the head to track 0 and back, so the next read approaches its track afresh.
    virtual bool Recalibrate(FloppyHandle /*handle*/) { return fail(ERROR_NOT_SUPPORTED); }
    // Reads the sectors of buffer at byteOffset in as few requests as the drive allows: where the drive
    // names the sector a read failed at, those before and after it are read again in the same call. good
    // gets a flag per sector; the result is the number of requests sent. Variants that cannot tell where a
    // read failed read once, keeping what arrived before the failure.
    virtual uint32_t ReadSectorsAround(FloppyHandle handle, std::span<uint8_t> buffer, int floppyDrive,
                                       ByteOffset byteOffset, uint32_t bytesPerSector, std::vector<bool>& good) {
        const size_t sectors = buffer.size() / bytesPerSector;
        good.assign(sectors, false);
        if (!SetDrivePosition(handle, byteOffset.value)) return 0;
        uint32_t got = 0;
        if (ReadSectors(handle, buffer, got, floppyDrive, byteOffset, bytesPerSector))
            std::fill_n(good.begin(), std::min<size_t>(got, buffer.size()) / bytesPerSector, true);
        return 1;
    }
    // The geometry with as many sectors on a track as the medium really holds, where the drive can read
    // the track's headers and the driver took the medium for a smaller format (a 21-sector DMF disk read
    // as 1.44 MB); the driver is set to it, so plain reads reach every sector. geometry is left as it was
    // when the medium holds no more. Variants that cannot look answer "not offered".
    virtual bool FindTrackLayout(FloppyHandle /*handle*/, DiskGeometry& /*geometry*/) {
        return fail(ERROR_NOT_SUPPORTED);
    }
    // Keeps the driver from writing a console line for every failed read while a rescue provokes hundreds;
    // false puts back what was there. Variants without such messages answer "not offered".
    virtual bool QuietDriverMessages(FloppyHandle /*handle*/, bool /*quiet*/) { return fail(ERROR_NOT_SUPPORTED); }

    // The code that explains the last failure, as the platform's GetLastError would give it.
    uint32_t LastError() const { return lastError_; }

  protected:
    bool fail(uint32_t error) {
        lastError_ = error;
        return false;
    }

    // What every variant keeps: the supported geometries of the last query and the last failure's code.
    std::array<DiskGeometry, kMaxMediaTypes> mediaTypes_{};
    size_t mediaTypeCount_ = 0;
    uint32_t lastError_ = 0;
};

// Closes an opened drive when the action that opened it ends, on every path.
class OpenedDrive {
  public:
    OpenedDrive(FloppyAccess& access, FloppyHandle handle) : access_(access), handle_(handle) {}
    ~OpenedDrive() {
        if (handle_ != INVALID_HANDLE_VALUE) access_.CloseDrive(handle_);
    }
    OpenedDrive(const OpenedDrive&) = delete;
    OpenedDrive& operator=(const OpenedDrive&) = delete;

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    FloppyHandle handle() const { return handle_; }

  private:
    FloppyAccess& access_;
    FloppyHandle handle_;
};

}  // namespace converter
