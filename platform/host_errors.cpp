#include "platform/host_errors.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace platform {
namespace {

// Opens the file as asked and takes the lock the programs take, then lets both go.
int tryOpenLocked(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return errno;
    const int error = ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

}  // namespace

std::string errorText(int error) {
    return errorText(error, std::strerror(error));
}

std::string errorText(int code, std::string_view meaning) {
    return "error " + std::to_string(code) + " (" + std::string(meaning) + ")";
}

int openFailure(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return errno;
    if (S_ISDIR(st.st_mode)) return EISDIR;
    if (!S_ISREG(st.st_mode)) return 0;
    return tryOpenLocked(path, O_RDONLY);
}

int createFailure(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return EISDIR;
        return S_ISREG(st.st_mode) ? tryOpenLocked(path, O_WRONLY) : 0;
    }
    if (errno != ENOENT) return errno;
    // A new file: its folder must be there and take new entries.
    std::string folder = std::filesystem::path(path).parent_path().string();
    if (folder.empty()) folder = ".";
    if (::stat(folder.c_str(), &st) != 0) return errno;
    if (!S_ISDIR(st.st_mode)) return ENOTDIR;
    return ::access(folder.c_str(), W_OK | X_OK) == 0 ? 0 : errno;
}

}  // namespace platform
