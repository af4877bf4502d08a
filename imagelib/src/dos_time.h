#pragma once
// FAT time stamps: date and time of day packed into 16 bits each.
#include <cstdint>

#include "dos_stamp.h"

namespace orva {

// Write time = bits 1..16, write date = bits 17..31; odd seconds survive only in bit 0.
uint32_t PackDosStamp(const CalendarTime& t);
inline uint16_t stampTime(uint32_t v) {
    return static_cast<uint16_t>(v >> 1);
}
inline uint16_t stampDate(uint32_t v) {
    return static_cast<uint16_t>(v >> 17);
}

}  // namespace orva
