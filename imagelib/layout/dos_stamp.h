#pragma once
// A FAT time stamp read back: the date and the time of day an entry keeps in 16 bits each, as UTC.
#include <cstdint>
#include <optional>

namespace orva {

struct CalendarTime {
    int year, month, day, hour, minute, second;
};

// Every field as stored; a zero date reads as 1980-00-00.
inline CalendarTime unpackDosStamp(uint16_t date, uint16_t time) {
    return {1980 + (date >> 9), (date >> 5) & 15, date & 31, time >> 11, (time >> 5) & 63, (time & 31) * 2};
}

// The moment a stamp names; nothing for a date no day has (0: the entry keeps none). A time of day no clock
// shows reads as midnight of that date.
inline std::optional<CalendarTime> stampMoment(uint16_t date, uint16_t time) {
    CalendarTime t = unpackDosStamp(date, time);
    if (t.month < 1 || t.month > 12 || t.day < 1) return std::nullopt;
    if (t.hour > 23 || t.minute > 59 || t.second > 59) t.hour = t.minute = t.second = 0;
    return t;
}

}  // namespace orva
