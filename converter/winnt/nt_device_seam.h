#pragma once
// The Windows NT calls the NT variant makes, shaped as the platform has them. A Windows build answers them
// with the real calls; here the emulated floppy device does.
#include <cstdint>
#include <span>
#include <string_view>

#include "win32_types.h"

namespace converter::winnt {

class NtDeviceSeam {
public:
    virtual ~NtDeviceSeam() = default;
    virtual Win32Handle CreateFileA(std::string_view name, uint32_t access, uint32_t share,
                                    uint32_t disposition, uint32_t flags) = 0;
    virtual bool DeviceIoControl(Win32Handle handle, uint32_t code, std::span<const uint8_t> in,
                                 std::span<uint8_t> out, uint32_t& bytesReturned) = 0;
    virtual bool ReadFile(Win32Handle handle, std::span<uint8_t> buffer, uint32_t& bytesRead) = 0;
    virtual bool WriteFile(Win32Handle handle, std::span<const uint8_t> buffer, uint32_t& bytesWritten) = 0;
    // The new position, or INVALID_SET_FILE_POINTER.
    virtual uint32_t SetFilePointer(Win32Handle handle, int32_t distance, uint32_t moveMethod) = 0;
    virtual bool CloseHandle(Win32Handle handle) = 0;
    virtual uint32_t GetLastError() const = 0;
};

}  // namespace converter::winnt
