#pragma once
// The handful of Linux device calls the floppy converter makes, with errors as negative errno values so that
// callers never read a global. Flags are our own bits; the kernel's numbers stay in the .cpp.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform::linux_sys {

enum OpenFlag : uint32_t {
    kReadOnly = 0,
    kReadWrite = 1u << 0,
    kNonBlock = 1u << 1,  // O_NDELAY / O_NONBLOCK: opens an empty or unformatted drive
    kExclusive = 1u << 2,
    kDirect = 1u << 3,
};

enum class SgDirection { None, ToDevice, FromDevice };

struct SgOutcome {
    int error = 0;  // the ioctl's own failure, negative errno
    uint8_t status = 0;
    uint8_t maskedStatus = 0;
    uint16_t hostStatus = 0;
    uint16_t driverStatus = 0;
    uint8_t senseBytes = 0;
    int32_t residue = 0;
};

int openDevice(const std::string& path, uint32_t flags);
int closeDevice(int fd);
// request is the kernel's full ioctl number; arg is the structure the request reads or fills, empty for none.
int ioctlBytes(int fd, unsigned long request, std::span<uint8_t> arg);
// FDRAWCMD with command as the kernel's struct floppy_raw_cmd, its data pointer set to data here.
int floppyRawCommand(int fd, std::span<uint8_t> command, std::span<uint8_t> data);
SgOutcome sgIo(int fd, std::span<const uint8_t> cdb, SgDirection direction, std::span<uint8_t> data,
               std::span<uint8_t> sense, uint32_t timeoutMs);
int64_t preadAt(int fd, std::span<uint8_t> buffer, uint64_t offset);
int64_t pwriteAt(int fd, std::span<const uint8_t> buffer, uint64_t offset);
int addStatusFlags(int fd, uint32_t flags);  // fcntl F_GETFL | flags → F_SETFL
int syncDevice(int fd);

// Small reads of sysfs, udev's database and /dev, for finding the drives.
bool pathExists(const std::string& path);
std::optional<std::string> readSmallFile(const std::string& path);
std::vector<std::string> listFolder(const std::string& path);  // names, unsorted, no "." or ".."
std::optional<std::string> resolvedPath(const std::string& path);

}  // namespace platform::linux_sys
