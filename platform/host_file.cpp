#include "platform/host_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {
namespace {

class PosixFile final : public RandomAccessFile {
public:
    explicit PosixFile(int fd) : fd_(fd) {}
    ~PosixFile() override { close(); }
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    int64_t readAt(uint64_t offset, std::span<uint8_t> out) override {
        return transfer(offset, out.size(), [&](size_t done, size_t n, off_t at) {
            return ::pread(fd_, out.data() + done, n, at);
        });
    }
    int64_t writeAt(uint64_t offset, std::span<const uint8_t> data) override {
        return transfer(offset, data.size(), [&](size_t done, size_t n, off_t at) {
            return ::pwrite(fd_, data.data() + done, n, at);
        });
    }
    bool syncData() override { return fd_ >= 0 && ::fdatasync(fd_) == 0; }
    bool setSize(uint64_t bytes) override { return fd_ >= 0 && ::ftruncate(fd_, static_cast<off_t>(bytes)) == 0; }
    std::optional<uint64_t> size() override {
        struct stat st {};
        if (fd_ < 0 || ::fstat(fd_, &st) != 0) return std::nullopt;
        return static_cast<uint64_t>(st.st_size);
    }
    bool close() override {
        if (fd_ < 0) return true;
        // close() releases the descriptor and with it the lock even when it reports an error.
        int rc = ::close(fd_);
        fd_ = -1;
        return rc == 0;
    }

private:
    // Repeats partial transfers; a short count remains only at the end of the file.
    template <typename Op>
    int64_t transfer(uint64_t offset, size_t total, Op op) {
        if (fd_ < 0) return -1;
        size_t done = 0;
        while (done < total) {
            ssize_t n = op(done, total - done, static_cast<off_t>(offset + done));
            if (n < 0) {
                if (errno == EINTR) continue;
                return -1;
            }
            if (n == 0) break;
            done += static_cast<size_t>(n);
        }
        return static_cast<int64_t>(done);
    }

    int fd_;
};

// Opens without blocking (a FIFO or a device would), then insists on a regular file and takes the lock.
// O_NONBLOCK has no effect on a regular file's reads and writes, so it stays set.
int openRegularLocked(const std::string& path, int flags, struct stat& st, int& error) {
    int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        return -1;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        error = errno;
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

std::unique_ptr<RandomAccessFile> openExclusive(const std::string& path, Access access, int& error) {
    struct stat st {};
    int fd = openRegularLocked(path, access == Access::ReadWrite ? O_RDWR : O_RDONLY, st, error);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixFile>(fd);
}

std::unique_ptr<RandomAccessFile> createExclusive(const std::string& path, int& error) {
    // Most files are new: one made here with O_EXCL is an empty regular file of our own (a name that is a
    // link, dangling or not, is refused as existing), so only the lock is left to take.
    if (int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666); fd >= 0) {
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            error = errno;
            ::close(fd);
            return nullptr;
        }
        return std::make_unique<PosixFile>(fd);
    }
    if (errno != EEXIST) {
        error = errno;
        return nullptr;
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        return nullptr;
    }
    int fd = openRegularLocked(path, O_WRONLY | O_CREAT, st, error);
    if (fd < 0) return nullptr;
    auto file = std::make_unique<PosixFile>(fd);
    // Truncating a file that is already empty costs a writeback on close on some file systems.
    if (st.st_size > 0 && ::ftruncate(fd, 0) != 0) {
        error = errno;
        return nullptr;
    }
    return file;
}

}  // namespace platform
