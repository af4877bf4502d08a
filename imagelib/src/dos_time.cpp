#include "dos_time.h"

namespace orva {

uint32_t PackDosStamp(const CalendarTime& t) {
    // Unsigned arithmetic: the packing wraps modulo 2^32, so dates after 2043 wrap to 1980.
    uint32_t v = static_cast<uint32_t>(t.year) + 4;
    v = v * 16 + static_cast<uint32_t>(t.month);
    v = v * 32 + static_cast<uint32_t>(t.day);
    v = v * 32 + static_cast<uint32_t>(t.hour);
    v = v * 64 + static_cast<uint32_t>(t.minute);
    v = v * 64 + static_cast<uint32_t>(t.second);
    return v;
}

}  // namespace orva
