#include "linux/sys_call_seam.h"

namespace converter::linux_floppy {

namespace sys = platform::linux_sys;

int RealSysCalls::open(const std::string& path, uint32_t flags) {
    return sys::openDevice(path, flags);
}
int RealSysCalls::close(int fd) {
    return sys::closeDevice(fd);
}
int RealSysCalls::ioctl(int fd, uint32_t request, std::span<uint8_t> arg) {
    return sys::ioctlBytes(fd, request, arg);
}
int RealSysCalls::rawCommand(int fd, std::span<uint8_t> command, std::span<uint8_t> data) {
    return sys::floppyRawCommand(fd, command, data);
}
SgOutcome RealSysCalls::sgIo(int fd, std::span<const uint8_t> cdb, SgDirection direction, std::span<uint8_t> data,
                             std::span<uint8_t> sense, uint32_t timeoutMs) {
    return sys::sgIo(fd, cdb, direction, data, sense, timeoutMs);
}
int64_t RealSysCalls::pread(int fd, std::span<uint8_t> buffer, uint64_t offset) {
    return sys::preadAt(fd, buffer, offset);
}
int64_t RealSysCalls::pwrite(int fd, std::span<const uint8_t> buffer, uint64_t offset) {
    return sys::pwriteAt(fd, buffer, offset);
}
int RealSysCalls::fcntlAddFlags(int fd, uint32_t flags) {
    return sys::addStatusFlags(fd, flags);
}
int RealSysCalls::fsync(int fd) {
    return sys::syncDevice(fd);
}

}  // namespace converter::linux_floppy
