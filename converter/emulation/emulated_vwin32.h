#pragma once
// VWIN32 of Windows 95/98 over an emulated drive: DOS IOCTL 440Dh (Get Device Parameters, lock and unlock the
// volume) and absolute disk reads and writes with a DISKIO packet, answered in the register block.
#include <set>

#include "emulation/emulated_drive.h"
#include "win9x/dioc_registers.h"
#include "win9x/vwin32_seam.h"

namespace converter::emulation {

class EmulatedVwin32 final : public win9x::Vwin32Seam {
public:
    // The drive answers as floppyDrive (1 = A:); requests for other drives fail as DOS fails them.
    explicit EmulatedVwin32(EmulatedDrive& drive, int floppyDrive = 1)
        : drive_(drive), floppyDrive_(floppyDrive) {}

    Win32Handle CreateFileA(std::string_view name, uint32_t access, uint32_t share, uint32_t disposition,
                            uint32_t flags) override;
    bool DeviceIoControl(Win32Handle handle, uint32_t code, std::span<const uint8_t> in,
                         std::span<uint8_t> out, uint32_t& bytesReturned,
                         const win9x::LinearMemory& memory) override;
    bool CloseHandle(Win32Handle handle) override;
    uint32_t GetLastError() const override { return lastError_; }

private:
    // false: a register pointed at memory the caller never gave (the platform call itself fails).
    bool dosIoctl(Win32Handle handle, win9x::DIOC_REGISTERS& r, const win9x::LinearMemory& memory);
    bool absolute(bool write, win9x::DIOC_REGISTERS& r, const win9x::LinearMemory& memory);
    void deviceParams(bool currentMedium, std::span<uint8_t> block);
    bool fail(uint32_t error) {
        lastError_ = error;
        return false;
    }

    EmulatedDrive& drive_;
    int floppyDrive_;
    std::set<int64_t> handles_;
    int64_t nextHandle_ = 0x40;
    uint32_t lastError_ = 0;
};

}  // namespace converter::emulation
