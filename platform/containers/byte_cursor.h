#pragma once
// Reading a container front to back without ever stepping past its end: every take says whether the bytes
// were there, and a failed take leaves the cursor where it was.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "le_bytes.h"

namespace platform::containers {

class ByteCursor {
  public:
    explicit ByteCursor(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    size_t position() const { return at_; }
    size_t remaining() const { return bytes_.size() - at_; }
    bool atEnd() const { return at_ == bytes_.size(); }

    std::optional<std::span<const uint8_t>> take(size_t count) {
        if (count > remaining()) return std::nullopt;
        const auto out = bytes_.subspan(at_, count);
        at_ += count;
        return out;
    }
    std::optional<uint8_t> u8() {
        const auto b = take(1);
        if (!b) return std::nullopt;
        return (*b)[0];
    }
    std::optional<uint16_t> u16() {
        const auto b = take(2);
        if (!b) return std::nullopt;
        return orva::load16(*b, 0);
    }

  private:
    std::span<const uint8_t> bytes_;
    size_t at_ = 0;
};

}  // namespace platform::containers
