#include "platform/folder_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <memory>

namespace platform {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

}  // namespace

std::optional<std::vector<FolderEntry>> listFolderEntries(const std::string& path) {
    std::unique_ptr<DIR, DirCloser> dir(::opendir(path.c_str()));
    if (!dir) return std::nullopt;
    const int dirFd = ::dirfd(dir.get());
    std::vector<FolderEntry> entries;
    while (true) {
        errno = 0;
        const dirent* entry = ::readdir(dir.get());
        if (entry == nullptr) {
            // A half-read folder would show as complete; better to show nothing.
            if (errno != 0) return std::nullopt;
            break;
        }
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        // Flags 0: follow links, so a link to a folder is listed as the folder and a broken link drops out.
        struct stat info {};
        if (::fstatat(dirFd, name.c_str(), &info, 0) != 0) continue;
        struct stat own {};
        const bool isLink =
            ::fstatat(dirFd, name.c_str(), &own, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(own.st_mode);
        if (S_ISDIR(info.st_mode))
            entries.push_back({name, true, 0, isLink});
        else if (S_ISREG(info.st_mode))
            entries.push_back({name, false, static_cast<uint64_t>(info.st_size), isLink});
    }
    return entries;
}

}  // namespace platform
