#include "platform/file_times.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>

#include "dos_stamp.h"

namespace platform {
namespace {

UtcTime toUtc(const struct statx_timestamp& ts) {
    const time_t seconds = static_cast<time_t>(ts.tv_sec);
    struct tm tm {};
    gmtime_r(&seconds, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

// Entry stamps are UTC, as the library writes them.
struct timespec toTimespec(const std::optional<orva::CalendarTime>& t) {
    if (!t) return {0, UTIME_OMIT};
    struct tm tm {};
    tm.tm_year = t->year - 1900;
    tm.tm_mon = t->month - 1;
    tm.tm_mday = t->day;
    tm.tm_hour = t->hour;
    tm.tm_min = t->minute;
    tm.tm_sec = t->second;
    return {timegm(&tm), 0};
}

}  // namespace

bool setEntryTimes(const std::string& path, uint16_t writeDate, uint16_t writeTime, uint16_t accessDate) {
    const struct timespec times[2] = {toTimespec(orva::stampMoment(accessDate, 0)),
                                      toTimespec(orva::stampMoment(writeDate, writeTime))};
    // The link itself, never what it points to: a name we chose must not reach out of the target folder.
    return ::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW) == 0;
}

std::optional<FileTimes> fileTimes(const std::string& path) {
    struct statx sx {};
    if (::statx(AT_FDCWD, path.c_str(), 0, STATX_ATIME | STATX_MTIME | STATX_BTIME, &sx) != 0)
        return std::nullopt;
    FileTimes t;
    t.written = toUtc(sx.stx_mtime);
    t.accessed = toUtc(sx.stx_atime);
    t.created = (sx.stx_mask & STATX_BTIME) ? toUtc(sx.stx_btime) : t.written;
    return t;
}

}  // namespace platform
