#include "platform/file_stamp.h"

#include <sys/stat.h>

namespace platform {

std::optional<FileStamp> fileStamp(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return FileStamp{static_cast<uint64_t>(st.st_dev),
                     static_cast<uint64_t>(st.st_ino),
                     static_cast<uint64_t>(st.st_size),
                     st.st_ctim.tv_sec,
                     st.st_ctim.tv_nsec,
                     st.st_mtim.tv_sec,
                     st.st_mtim.tv_nsec};
}

}  // namespace platform
