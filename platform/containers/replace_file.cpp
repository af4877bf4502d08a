#include "platform/containers/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <vector>

namespace platform::containers {
namespace {

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool close() {
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc == 0;
    }

  private:
    int fd_;
};

bool writeAll(int fd, std::span<const uint8_t> bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

std::string nameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// mkstemp's six characters.
constexpr size_t kTemporaryMarks = 6;

std::string temporaryPrefix(const std::string& path) {
    return "." + nameOf(path) + ".";
}

bool replaceFile(const std::string& path, std::span<const uint8_t> bytes, int& error) {
    std::string temp = folderOf(path) + "/" + temporaryPrefix(path) + std::string(kTemporaryMarks, 'X');
    std::vector<char> pattern(temp.begin(), temp.end());
    pattern.push_back('\0');
    Descriptor file(::mkstemp(pattern.data()));
    if (file.get() < 0) {
        error = errno;
        return false;
    }
    temp = pattern.data();
    // A new file gets what open() would give it; mkstemp's 0600 is for the temporary only.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        st.st_mode = 0666 & ~mask;
    }
    const bool ok = ::fchmod(file.get(), st.st_mode & 07777) == 0 && writeAll(file.get(), bytes) &&
                    ::fsync(file.get()) == 0 && file.close() && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        error = errno;
        ::unlink(temp.c_str());
        return false;
    }
    // The rename itself is durable once the folder is.
    Descriptor folder(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() < 0 || ::fsync(folder.get()) != 0) {
        error = errno;
        return false;
    }
    return true;
}

void removeLeftoverTemporaries(const std::string& path) {
    const std::string prefix = temporaryPrefix(path);
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folderOf(path), ec)) {
        const std::string name = entry.path().filename().string();
        const bool ours =
            name.size() == prefix.size() + kTemporaryMarks && name.starts_with(prefix) &&
            std::all_of(name.begin() + static_cast<long>(prefix.size()), name.end(),
                        [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
        // What cannot be removed stays as it was: a leftover costs room, nothing else.
        if (ours && entry.is_regular_file(ec)) std::filesystem::remove(entry.path(), ec);
    }
}

bool folderWritable(const std::string& path) {
    return ::access(folderOf(path).c_str(), W_OK | X_OK) == 0;
}

}  // namespace platform::containers
