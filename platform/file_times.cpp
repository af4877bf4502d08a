#include "platform/file_times.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>

namespace platform {
namespace {

UtcTime toUtc(const struct statx_timestamp& ts) {
    const time_t seconds = static_cast<time_t>(ts.tv_sec);
    struct tm tm {};
    gmtime_r(&seconds, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

}  // namespace

std::optional<FileTimes> fileTimes(const std::string& path) {
    struct statx sx {};
    if (::statx(AT_FDCWD, path.c_str(), 0, STATX_ATIME | STATX_MTIME | STATX_BTIME, &sx) != 0) return std::nullopt;
    FileTimes t;
    t.written = toUtc(sx.stx_mtime);
    t.accessed = toUtc(sx.stx_atime);
    t.created = (sx.stx_mask & STATX_BTIME) ? toUtc(sx.stx_btime) : t.written;
    return t;
}

}  // namespace platform
