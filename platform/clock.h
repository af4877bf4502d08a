#pragma once
// The host's clock, as a UTC calendar time: time stamps written into images are never local time.
namespace platform {

struct UtcTime {
    int year;    // e.g. 2024
    int month;   // 1..12
    int day;     // 1..31
    int hour;    // 0..23
    int minute;  // 0..59
    int second;  // 0..60 (a leap second reads as 60)
};

UtcTime utcNow();

}  // namespace platform
