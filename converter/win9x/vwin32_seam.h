#pragma once
// The Windows 95/98 calls the 9x variant makes, shaped as the platform has them. A Windows build answers them
// with the real calls; here the emulated VWIN32 device does.
#include <cstdint>
#include <span>
#include <string_view>

#include "win32_types.h"
#include "win9x/linear_memory.h"

namespace converter::win9x {

inline constexpr uint32_t VWIN32_DIOC_DOS_IOCTL = 1;
inline constexpr uint32_t VWIN32_DIOC_DOS_INT25 = 2;
inline constexpr uint32_t VWIN32_DIOC_DOS_INT26 = 3;

inline constexpr std::string_view kVwin32DeviceName = "\\\\.\\VWIN32";

class Vwin32Seam {
public:
    virtual ~Vwin32Seam() = default;
    virtual Win32Handle CreateFileA(std::string_view name, uint32_t access, uint32_t share,
                                    uint32_t disposition, uint32_t flags) = 0;
    // in and out may be the same bytes, as they are for register blocks. memory holds every block the
    // registers point at.
    virtual bool DeviceIoControl(Win32Handle handle, uint32_t code, std::span<const uint8_t> in,
                                 std::span<uint8_t> out, uint32_t& bytesReturned,
                                 const LinearMemory& memory) = 0;
    virtual bool CloseHandle(Win32Handle handle) = 0;
    virtual uint32_t GetLastError() const = 0;
};

}  // namespace converter::win9x
