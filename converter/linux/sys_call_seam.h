#pragma once
// The Linux calls the floppy variant makes, one method per call, so tests can answer them with a fake kernel.
// Every result is the call's value or a negative errno.
#include <cstdint>
#include <span>
#include <string>

#include "platform/linux_sys_calls.h"

namespace converter::linux_floppy {

using platform::linux_sys::OpenFlag;
using platform::linux_sys::SgDirection;
using platform::linux_sys::SgOutcome;

class SysCallSeam {
public:
    virtual ~SysCallSeam() = default;
    virtual int open(const std::string& path, uint32_t flags) = 0;
    virtual int close(int fd) = 0;
    virtual int ioctl(int fd, uint32_t request, std::span<uint8_t> arg) = 0;
    // FDRAWCMD: command is a struct floppy_raw_cmd (RawCommand), data the buffer its transfer uses.
    virtual int rawCommand(int fd, std::span<uint8_t> command, std::span<uint8_t> data) = 0;
    virtual SgOutcome sgIo(int fd, std::span<const uint8_t> cdb, SgDirection direction, std::span<uint8_t> data,
                           std::span<uint8_t> sense, uint32_t timeoutMs) = 0;
    virtual int64_t pread(int fd, std::span<uint8_t> buffer, uint64_t offset) = 0;
    virtual int64_t pwrite(int fd, std::span<const uint8_t> buffer, uint64_t offset) = 0;
    virtual int fcntlAddFlags(int fd, uint32_t flags) = 0;
    virtual int fsync(int fd) = 0;
};

// The seam answered by the running kernel.
class RealSysCalls final : public SysCallSeam {
public:
    int open(const std::string& path, uint32_t flags) override;
    int close(int fd) override;
    int ioctl(int fd, uint32_t request, std::span<uint8_t> arg) override;
    int rawCommand(int fd, std::span<uint8_t> command, std::span<uint8_t> data) override;
    SgOutcome sgIo(int fd, std::span<const uint8_t> cdb, SgDirection direction, std::span<uint8_t> data,
                   std::span<uint8_t> sense, uint32_t timeoutMs) override;
    int64_t pread(int fd, std::span<uint8_t> buffer, uint64_t offset) override;
    int64_t pwrite(int fd, std::span<const uint8_t> buffer, uint64_t offset) override;
    int fcntlAddFlags(int fd, uint32_t flags) override;
    int fsync(int fd) override;
};

}  // namespace converter::linux_floppy
