#pragma once
// Little-endian field access on byte buffers: every on-disk number goes through these.
#include <cstddef>
#include <cstdint>
#include <span>

namespace orva {

inline uint32_t loadLe(std::span<const uint8_t> bytes, size_t offset, size_t width) {
    uint32_t value = 0;
    for (size_t i = 0; i < width; ++i) value |= static_cast<uint32_t>(bytes[offset + i]) << (8 * i);
    return value;
}

inline void storeLe(std::span<uint8_t> bytes, size_t offset, size_t width, uint32_t value) {
    for (size_t i = 0; i < width; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

inline uint16_t load16(std::span<const uint8_t> bytes, size_t offset) {
    return static_cast<uint16_t>(loadLe(bytes, offset, 2));
}

}  // namespace orva
