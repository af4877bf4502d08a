#pragma once
// FloppyAccess on Linux: controller drives (/dev/fdN) through the floppy driver's ioctls, USB floppies
// (/dev/sdX) through UFI commands over SG_IO; sectors move with O_DIRECT reads and writes on both.
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "floppy_access.h"
#include "linux/error_translation.h"
#include "linux/fdc_raw_command.h"
#include "linux/floppy_discovery.h"
#include "linux/kernel_abi.h"
#include "linux/sys_call_seam.h"

namespace converter::linux_floppy {

class LinuxFloppy final : public FloppyAccess {
  public:
    LinuxFloppy(SysCallSeam& sys, std::vector<FloppyDevice> devices)
        : sys_(sys), devices_(std::move(devices)) {}

    FloppyHandle OpenDrive(std::string_view driveText) override;
    bool CloseDrive(FloppyHandle handle) override;
    bool QueryGeometry(FloppyHandle handle, int floppyDrive, DiskGeometry& geometry) override;
    int QueryMediaTypes(FloppyHandle handle) override;
    bool LockDrive(FloppyHandle handle, int floppyDrive) override;
    bool UnlockDrive(FloppyHandle handle, int floppyDrive) override;
    bool CheckMedia(FloppyHandle handle) override;
    bool DismountDrive(FloppyHandle handle) override;
    // Transfers go at the handle's position, which SetDrivePosition moves and every transfer advances, as the
    // NT variant's do; byteOffset is not used.
    bool ReadSectors(FloppyHandle handle, std::span<uint8_t> buffer, uint32_t& bytesDone, int floppyDrive,
                     ByteOffset byteOffset, uint32_t bytesPerSector) override;
    bool WriteSectors(FloppyHandle handle, std::span<const uint8_t> buffer, uint32_t& bytesDone,
                      ByteOffset byteOffset, int floppyDrive, uint32_t bytesPerSector) override;
    bool SetDrivePosition(FloppyHandle handle, uint32_t byteOffset) override;
    bool FormatAllCylinders(FloppyHandle handle, const DiskGeometry& geometry,
                            ProgressPort& progress) override;

    // Rescue: controller drives take FDRAWCMD (READ DATA, READ ID, RECALIBRATE, SEEK); USB floppies name the
    // failing block of a READ(10) and take REZERO UNIT.
    RawSectorRead ReadSectorRaw(FloppyHandle handle, const SectorId& id, std::span<uint8_t> out) override;
    bool Recalibrate(FloppyHandle handle) override;
    uint32_t ReadSectorsAround(FloppyHandle handle, std::span<uint8_t> buffer, int floppyDrive,
                               ByteOffset byteOffset, uint32_t bytesPerSector, std::vector<bool>& good) override;
    bool QuietDriverMessages(FloppyHandle handle, bool quiet) override;
    // The sector headers READ ID finds on a track in one turn of the disk: how many sectors it really holds
    // (21 on a DMF disk the driver takes for 1.44 MB). Nothing when no header can be read.
    std::optional<uint32_t> SectorsOnTrack(FloppyHandle handle, uint32_t cylinder, uint32_t head);
    bool FindTrackLayout(FloppyHandle handle, DiskGeometry& geometry) override;

    // How many drives are open; every action must leave this at 0.
    size_t openCount() const { return open_.size(); }

  private:
    struct Opened {
        FloppyDevice device;
        int fd = -1;
        uint32_t openFlags = 0;
        bool locked = false;
        bool knownProtected = false;  // the last media check found the medium write-protected
        uint64_t position = 0;
        std::optional<FloppyParams> params;  // the medium's geometry as the driver last told it
        int32_t lastTrack = 0;               // where the last raw command left the head
        // What QuietDriverMessages changed: the flags byte and max_errors.reporting, to be put back.
        std::optional<std::pair<uint8_t, uint32_t>> loudParams;
        bool rezeroRefused = false;
        // The kernel was built without FDRAWCMD (CONFIG_BLK_DEV_FD_RAWCMD, off by default since 5.19).
        bool rawMissing = false;

        // A USB floppy that refused writing at open is open read-only: its medium is protected.
        bool writeBlocked() const { return (openFlags & OpenFlag::kReadWrite) == 0 || knownProtected; }
    };

    Opened* find(FloppyHandle handle);
    // An open descriptor with O_DIRECT set, or a negative errno.
    int openDirect(const std::string& path, uint32_t flags);
    bool failErrno(int error) { return fail(lastErrorForErrno(error)); }
    // Controller drive: the error explained by the drive's status flags where they can be read.
    uint32_t explain(Opened& drive, int error);
    bool driveStatus(Opened& drive, DriveStatus& status);
    int driveCmos(Opened& drive);

    // USB floppy: one command, repeated once after a unit attention.
    bool scsi(Opened& drive, std::span<const uint8_t> cdb, SgDirection direction, std::span<uint8_t> data,
              bool* unformatted = nullptr, std::span<uint8_t> senseOut = {});
    std::vector<DiskGeometry> usbFormattable(Opened& drive);

    bool checkLegacy(Opened& drive);
    bool checkUsb(Opened& drive);
    bool formatLegacy(Opened& drive, const DiskGeometry& geometry, ProgressPort& progress);
    bool formatUsb(Opened& drive, const DiskGeometry& geometry, ProgressPort& progress);
    bool rereadCapacity(Opened& drive);

    // The raw path (controller_raw.cpp). sendRaw: false with lastError_ set when the driver refused the call.
    const FloppyParams* mediumParams(Opened& drive);
    bool sendRaw(Opened& drive, RawCommand& command, std::span<uint8_t> data);
    std::optional<RawCommand> readData(Opened& drive, const FloppyParams& params, const SectorId& id,
                                       std::span<uint8_t> out);
    std::optional<std::array<uint8_t, 4>> readId(Opened& drive, const FloppyParams& params, uint32_t cylinder,
                                                 uint32_t head);
    bool recalibrateController(Opened& drive);
    bool restoreDriverMessages(Opened& drive);
    // USB (usb_salvage.cpp): READ(10) of count blocks; failingBlock gets what the sense data names.
    bool readBlocks(Opened& drive, uint32_t lba, std::span<uint8_t> data, uint32_t bytesPerBlock,
                    std::optional<uint32_t>& failingBlock);
    bool rezeroUsb(Opened& drive);
    bool transfer(Opened& drive, std::span<uint8_t> read, std::span<const uint8_t> write,
                  uint32_t& bytesDone);

    SysCallSeam& sys_;
    std::vector<FloppyDevice> devices_;
    std::map<int64_t, Opened> open_;
    int64_t nextHandle_ = 1;
};

}  // namespace converter::linux_floppy
