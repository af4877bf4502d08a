#pragma once
// FloppyAccess answered straight from an emulated drive, for the demo and for tests on hosts without a
// floppy drive. It behaves as the Windows NT variant does: transfers go at the handle's position, it lists
// the supported media types and it formats.
#include <array>
#include <map>
#include <string_view>

#include "emulation/emulated_drive.h"
#include "floppy_access.h"

namespace converter {

class ImageFloppy final : public FloppyAccess {
  public:
    // The drive answers to driveText ("A:") only.
    explicit ImageFloppy(emulation::EmulatedDrive& drive, std::string_view driveText = "A:");

    FloppyHandle OpenDrive(std::string_view driveText) override;
    bool CloseDrive(FloppyHandle handle) override;
    bool QueryGeometry(FloppyHandle handle, int floppyDrive, DiskGeometry& geometry) override;
    int QueryMediaTypes(FloppyHandle handle) override;
    bool LockDrive(FloppyHandle handle, int floppyDrive) override;
    bool UnlockDrive(FloppyHandle handle, int floppyDrive) override;
    bool CheckMedia(FloppyHandle handle) override;
    bool DismountDrive(FloppyHandle handle) override;
    bool ReadSectors(FloppyHandle handle, std::span<uint8_t> buffer, uint32_t& bytesDone, int floppyDrive,
                     ByteOffset byteOffset, uint32_t bytesPerSector) override;
    bool WriteSectors(FloppyHandle handle, std::span<const uint8_t> buffer, uint32_t& bytesDone,
                      ByteOffset byteOffset, int floppyDrive, uint32_t bytesPerSector) override;
    bool SetDrivePosition(FloppyHandle handle, uint32_t byteOffset) override;
    bool FormatAllCylinders(FloppyHandle handle, const DiskGeometry& geometry,
                            ProgressPort& progress) override;
    // Only a drive set up as a legacy controller drive takes raw commands; every drive recalibrates.
    RawSectorRead ReadSectorRaw(FloppyHandle handle, const SectorId& id, std::span<uint8_t> out) override;
    bool Recalibrate(FloppyHandle handle) override;

  private:
    // The handle's position, or null (with the last error set) for a handle that is not open.
    uint64_t* position(FloppyHandle handle);
    emulation::EmulatedDrive& drive_;
    std::string driveText_;
    std::map<int64_t, uint64_t> positions_;  // open handles
    int64_t nextHandle_ = 1;
};

}  // namespace converter
