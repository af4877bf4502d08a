#include "platform/path_info.h"

#include <sys/stat.h>
#include <sys/statvfs.h>

namespace platform {

PathInfo inspectPath(const std::string& path) {
    PathInfo info;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return info;
    info.exists = true;
    info.regular = S_ISREG(st.st_mode);
    info.directory = S_ISDIR(st.st_mode);
    info.size = static_cast<uint64_t>(st.st_size);
    struct statvfs vfs {};
    bool readOnlyMount = ::statvfs(path.c_str(), &vfs) == 0 && (vfs.f_flag & ST_RDONLY) != 0;
    info.writeProtected = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || readOnlyMount;
    return info;
}

}  // namespace platform
