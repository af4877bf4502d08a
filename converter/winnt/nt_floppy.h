#pragma once
// FloppyAccess on Windows NT/2000: the drive opened as a device, driven with the disk, storage and
// file-system control codes, sectors moved with plain reads and writes at the handle's position.
#include <array>

#include "floppy_access.h"
#include "winnt/nt_device_seam.h"

namespace converter::winnt {

class NtFloppy final : public FloppyAccess {
  public:
    explicit NtFloppy(NtDeviceSeam& seam) : seam_(seam) {}

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

  private:
    bool control(FloppyHandle handle, uint32_t code, std::span<const uint8_t> in, std::span<uint8_t> out,
                 uint32_t& returned);
    NtDeviceSeam& seam_;
};

}  // namespace converter::winnt
