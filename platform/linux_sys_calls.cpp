#include "platform/linux_sys_calls.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/fd.h>
#include <linux/fs.h>
#include <scsi/sg.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace platform::linux_sys {

// The converter describes these structures as byte layouts; hold the kernel to the same numbers.
static_assert(sizeof(floppy_struct) == 32 && offsetof(floppy_struct, track) == 12 &&
              offsetof(floppy_struct, rate) == 21 && offsetof(floppy_struct, fmt_gap) == 23);
static_assert(sizeof(format_descr) == 12 && offsetof(format_descr, track) == 8);
static_assert(sizeof(floppy_drive_struct) == 80 && offsetof(floppy_drive_struct, fd_ref) == 48);
static_assert(offsetof(floppy_drive_params, cmos) == 0 && sizeof(floppy_drive_params) == 128);
static_assert(FDGETPRM == 0x80200204 && FDSETPRM == 0x40200242 && FDGETDRVPRM == 0x80800211 &&
              FDGETDRVSTAT == 0x80500212 && FDFMTBEG == 0x247 && FDFMTTRK == 0x400c0248 && FDFMTEND == 0x249 &&
              FDFLUSH == 0x24b && BLKFLSBUF == 0x1261 && SG_SCSI_RESET == 0x2284);
static_assert(FD_DISK_CHANGED == 0x10 && FD_DISK_WRITABLE == 0x20);
static_assert(offsetof(floppy_drive_params, max_errors.abort) == 76 &&
              offsetof(floppy_drive_params, max_errors.reporting) == 92 &&
              offsetof(floppy_drive_params, flags) == 96 && FTD_MSG == 0x10 && FDSETDRVPRM == 0x40800290);
static_assert(sizeof(floppy_raw_cmd) == 104 && offsetof(floppy_raw_cmd, data) == 8 &&
              offsetof(floppy_raw_cmd, length) == 32 && offsetof(floppy_raw_cmd, rate) == 52 &&
              offsetof(floppy_raw_cmd, cmd_count) == 53 && offsetof(floppy_raw_cmd, cmd) == 54 &&
              offsetof(floppy_raw_cmd, reply_count) == 70 && offsetof(floppy_raw_cmd, reply) == 71 &&
              offsetof(floppy_raw_cmd, track) == 88 && FDRAWCMD == 0x258);
static_assert(FD_RAW_READ == 0x1 && FD_RAW_INTR == 0x8 && FD_RAW_NEED_DISK == 0x40 && FD_RAW_NEED_SEEK == 0x80 &&
              FD_RAW_DISK_CHANGE == 0x4 && FD_RAW_FAILURE == 0x10000 && FD_RAW_HARDFAILURE == 0x20000);

int openDevice(const std::string& path, uint32_t flags) {
    int mode = (flags & kReadWrite) ? O_RDWR : O_RDONLY;
    if (flags & kNonBlock) mode |= O_NONBLOCK;
    if (flags & kExclusive) mode |= O_EXCL;
    if (flags & kDirect) mode |= O_DIRECT;
    const int fd = ::open(path.c_str(), mode | O_CLOEXEC);
    return fd >= 0 ? fd : -errno;
}

int closeDevice(int fd) {
    return ::close(fd) == 0 ? 0 : -errno;
}

int ioctlBytes(int fd, unsigned long request, std::span<uint8_t> arg) {
    const int result = ::ioctl(fd, request, arg.empty() ? nullptr : arg.data());
    return result >= 0 ? result : -errno;
}

int floppyRawCommand(int fd, std::span<uint8_t> command, std::span<uint8_t> data) {
    if (command.size() != sizeof(floppy_raw_cmd)) return -EINVAL;
    void* pointer = data.empty() ? nullptr : data.data();
    std::memcpy(command.data() + offsetof(floppy_raw_cmd, data), &pointer, sizeof pointer);
    const int result = ::ioctl(fd, FDRAWCMD, command.data());
    // The pointer means nothing once the call is over; callers never see it.
    std::memset(command.data() + offsetof(floppy_raw_cmd, data), 0, sizeof pointer);
    return result >= 0 ? result : -errno;
}

SgOutcome sgIo(int fd, std::span<const uint8_t> cdb, SgDirection direction, std::span<uint8_t> data,
               std::span<uint8_t> sense, uint32_t timeoutMs) {
    sg_io_hdr_t header{};
    header.interface_id = 'S';
    header.dxfer_direction = direction == SgDirection::None       ? SG_DXFER_NONE
                             : direction == SgDirection::ToDevice ? SG_DXFER_TO_DEV
                                                                  : SG_DXFER_FROM_DEV;
    header.cmd_len = static_cast<unsigned char>(cdb.size());
    header.cmdp = const_cast<unsigned char*>(cdb.data());  // the kernel only reads the command
    header.mx_sb_len = static_cast<unsigned char>(sense.size());
    header.sbp = sense.data();
    header.dxfer_len = static_cast<unsigned int>(data.size());
    header.dxferp = data.empty() ? nullptr : data.data();
    header.timeout = timeoutMs;
    SgOutcome outcome;
    if (::ioctl(fd, SG_IO, &header) < 0) {
        outcome.error = -errno;
        return outcome;
    }
    outcome.status = header.status;
    outcome.maskedStatus = header.masked_status;
    outcome.hostStatus = header.host_status;
    outcome.driverStatus = header.driver_status;
    outcome.senseBytes = header.sb_len_wr;
    outcome.residue = header.resid;
    return outcome;
}

int64_t preadAt(int fd, std::span<uint8_t> buffer, uint64_t offset) {
    const ssize_t n = ::pread(fd, buffer.data(), buffer.size(), static_cast<off_t>(offset));
    return n >= 0 ? n : -errno;
}

int64_t pwriteAt(int fd, std::span<const uint8_t> buffer, uint64_t offset) {
    const ssize_t n = ::pwrite(fd, buffer.data(), buffer.size(), static_cast<off_t>(offset));
    return n >= 0 ? n : -errno;
}

int addStatusFlags(int fd, uint32_t flags) {
    const int current = ::fcntl(fd, F_GETFL);
    if (current < 0) return -errno;
    int wanted = current;
    if (flags & kNonBlock) wanted |= O_NONBLOCK;
    if (flags & kDirect) wanted |= O_DIRECT;
    return ::fcntl(fd, F_SETFL, wanted) == 0 ? 0 : -errno;
}

int syncDevice(int fd) {
    return ::fsync(fd) == 0 ? 0 : -errno;
}

bool pathExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

std::optional<std::string> readSmallFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text;
    // sysfs attributes and udev records are a few hundred bytes; refuse to slurp anything large.
    char chunk[4096];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        text.append(chunk, static_cast<size_t>(in.gcount()));
        if (text.size() > 65536) return std::nullopt;
    }
    return text;
}

std::vector<std::string> listFolder(const std::string& path) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(path.c_str());
    if (dir == nullptr) return names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

std::optional<std::string> resolvedPath(const std::string& path) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) return std::nullopt;
    std::string text = resolved;
    std::free(resolved);
    return text;
}

}  // namespace platform::linux_sys
