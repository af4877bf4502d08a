#pragma once
// FloppyAccess on Linux: controller drives (/dev/fdN) through the floppy driver's ioctls, USB floppies
// (/dev/sdX) through UFI commands over SG_IO; sectors move with O_DIRECT reads and writes on both.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "floppy_access.h"
#include "linux/error_translation.h"
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
              bool* unformatted = nullptr);
    std::vector<DiskGeometry> usbFormattable(Opened& drive);

    bool checkLegacy(Opened& drive);
    bool checkUsb(Opened& drive);
    bool formatLegacy(Opened& drive, const DiskGeometry& geometry, ProgressPort& progress);
    bool formatUsb(Opened& drive, const DiskGeometry& geometry, ProgressPort& progress);
    bool rereadCapacity(Opened& drive);
    bool transfer(Opened& drive, std::span<uint8_t> read, std::span<const uint8_t> write,
                  uint32_t& bytesDone);

    SysCallSeam& sys_;
    std::vector<FloppyDevice> devices_;
    std::map<int64_t, Opened> open_;
    int64_t nextHandle_ = 1;
};

}  // namespace converter::linux_floppy
