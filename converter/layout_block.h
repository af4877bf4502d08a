#pragma once
// Fixed byte layouts of device requests: named fields over a byte array, read and written little-endian.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "le_bytes.h"

namespace converter {

struct Field {
    size_t offset;
    size_t width;  // 1, 2 or 4 bytes for numbers; wider fields are byte runs
    constexpr size_t end() const { return offset + width; }
};

// True when the fields follow each other without a gap or an overlap and fill exactly `total` bytes.
template <size_t N>
constexpr bool tiles(const std::array<Field, N>& fields, size_t total) {
    size_t at = 0;
    for (const Field& f : fields) {
        if (f.offset != at) return false;
        at = f.end();
    }
    return at == total;
}

template <size_t Size>
struct LayoutBlock {
    static constexpr size_t kBytes = Size;
    std::array<uint8_t, Size> bytes{};

    uint32_t get(Field f) const { return orva::loadLe(bytes, f.offset, f.width); }
    void set(Field f, uint32_t value) { orva::storeLe(bytes, f.offset, f.width, value); }
    std::span<uint8_t> span() { return bytes; }
    std::span<const uint8_t> span() const { return bytes; }
};

}  // namespace converter
