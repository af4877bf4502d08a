#pragma once
// A Windows NT floppy device over an emulated drive: the control codes the NT variant sends, reads and
// writes at the handle's position, and formatting that lays down empty sectors of the requested type.
#include <map>
#include <string>

#include "emulation/emulated_drive.h"
#include "winnt/nt_device_seam.h"

namespace converter::emulation {

class EmulatedNtDevice final : public winnt::NtDeviceSeam {
public:
    // The drive opens as the device of driveText ("A:" opens as \\.\A:).
    explicit EmulatedNtDevice(EmulatedDrive& drive, std::string_view driveText = "A:");

    Win32Handle CreateFileA(std::string_view name, uint32_t access, uint32_t share, uint32_t disposition,
                            uint32_t flags) override;
    bool DeviceIoControl(Win32Handle handle, uint32_t code, std::span<const uint8_t> in,
                         std::span<uint8_t> out, uint32_t& bytesReturned) override;
    bool ReadFile(Win32Handle handle, std::span<uint8_t> buffer, uint32_t& bytesRead) override;
    bool WriteFile(Win32Handle handle, std::span<const uint8_t> buffer, uint32_t& bytesWritten) override;
    uint32_t SetFilePointer(Win32Handle handle, int32_t distance, uint32_t moveMethod) override;
    bool CloseHandle(Win32Handle handle) override;
    uint32_t GetLastError() const override { return lastError_; }

    uint32_t dismounts() const { return dismounts_; }

private:
    struct OpenHandle {
        uint64_t position;
        bool writable;
    };
    OpenHandle* find(Win32Handle handle);
    bool formatTracks(std::span<const uint8_t> in);
    bool fail(uint32_t error) {
        lastError_ = error;
        return false;
    }

    EmulatedDrive& drive_;
    std::string deviceName_;
    std::map<int64_t, OpenHandle> handles_;
    int64_t nextHandle_ = 0x80;
    uint32_t dismounts_ = 0;
    uint32_t lastError_ = 0;
};

}  // namespace converter::emulation
