#pragma once
// Zero-filled, page-aligned memory for raw device transfers, released with its owner.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace platform {

class AlignedBuffer {
public:
    // Nothing when the memory cannot be had; a size of 0 gives an empty buffer.
    static std::optional<AlignedBuffer> allocate(size_t bytes);

    AlignedBuffer(AlignedBuffer&& other) noexcept;
    AlignedBuffer& operator=(AlignedBuffer&& other) noexcept;
    AlignedBuffer(const AlignedBuffer&) = delete;
    AlignedBuffer& operator=(const AlignedBuffer&) = delete;
    ~AlignedBuffer();

    std::span<uint8_t> bytes() { return {data_, size_}; }
    std::span<const uint8_t> bytes() const { return {data_, size_}; }
    size_t size() const { return size_; }

    static size_t pageSize();

private:
    AlignedBuffer(uint8_t* data, size_t size) : data_(data), size_(size) {}
    uint8_t* data_ = nullptr;
    size_t size_ = 0;
};

}  // namespace platform
