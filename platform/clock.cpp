#include "platform/clock.h"

#include <time.h>

namespace platform {

UtcTime utcNow() {
    timespec now{};
    tm parts{};
    // Neither call fails on a working system; should they, the stamp reads as the FAT epoch.
    if (::clock_gettime(CLOCK_REALTIME, &now) != 0 || !::gmtime_r(&now.tv_sec, &parts)) {
        return {1980, 1, 1, 0, 0, 0};
    }
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
}

}  // namespace platform
