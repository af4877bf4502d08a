#pragma once
// FloppyAccess on Windows 95/98: DOS requests through VWIN32. Device parameters and the volume lock go as
// IOCTL 440Dh, sectors as absolute disk reads and writes (INT 25h / 26h) addressed by sector number.
// It cannot list media types or format.
#include "floppy_access.h"
#include "win9x/device_params.h"
#include "win9x/dioc_registers.h"
#include "win9x/linear_memory.h"
#include "win9x/vwin32_seam.h"

namespace converter::win9x {

class Win9xFloppy final : public FloppyAccess {
  public:
    explicit Win9xFloppy(Vwin32Seam& seam) : seam_(seam) {}

    FloppyHandle OpenDrive(std::string_view driveText) override;
    bool CloseDrive(FloppyHandle handle) override;
    bool QueryGeometry(FloppyHandle handle, int floppyDrive, DiskGeometry& geometry) override;
    int QueryMediaTypes(FloppyHandle) override { return 0; }
    bool LockDrive(FloppyHandle handle, int floppyDrive) override;
    bool UnlockDrive(FloppyHandle handle, int floppyDrive) override;
    bool CheckMedia(FloppyHandle) override { return true; }
    bool DismountDrive(FloppyHandle) override { return true; }
    bool ReadSectors(FloppyHandle handle, std::span<uint8_t> buffer, uint32_t& bytesDone, int floppyDrive,
                     ByteOffset byteOffset, uint32_t bytesPerSector) override;
    bool WriteSectors(FloppyHandle handle, std::span<const uint8_t> buffer, uint32_t& bytesDone,
                      ByteOffset byteOffset, int floppyDrive, uint32_t bytesPerSector) override;
    // Every absolute request carries its own sector number.
    bool SetDrivePosition(FloppyHandle, uint32_t) override { return true; }
    bool FormatAllCylinders(FloppyHandle handle, const DiskGeometry& geometry,
                            ProgressPort& progress) override;
    int DiagnoseDrive(FloppyHandle handle, int floppyDrive, DiskGeometry& geometry, std::string& text,
                      int selector) override;

  private:
    enum class Answer { Done, Carry, CallFailed };
    Answer send(FloppyHandle handle, uint32_t code, DIOC_REGISTERS& registers);
    // A DOS generic IOCTL (440Dh) for the drive: CX the request, EDX its parameter block; with presetCarry a
    // request the driver ignores counts as failed.
    bool dosIoctl(FloppyHandle handle, int floppyDrive, uint32_t request, uint32_t edx, bool presetCarry);
    bool getDeviceParams(FloppyHandle handle, int floppyDrive, uint8_t specialFunctions,
                         DEVICEPARAMS& params);
    // The device parameters and the geometry they describe.
    bool deviceGeometry(FloppyHandle handle, int floppyDrive, uint8_t specialFunctions, DEVICEPARAMS& params,
                        DiskGeometry& geometry);
    bool absolute(FloppyHandle handle, bool write, std::span<const uint8_t> readOnlyData,
                  std::span<uint8_t> data, int floppyDrive, uint32_t byteOffset, uint32_t bytesPerSector);
    Vwin32Seam& seam_;
    LinearMemory memory_;
};

}  // namespace converter::win9x
