#include "platform/aligned_buffer.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <utility>

namespace platform {

size_t AlignedBuffer::pageSize() {
    long page = ::sysconf(_SC_PAGESIZE);
    return page > 0 ? static_cast<size_t>(page) : 4096;
}

std::optional<AlignedBuffer> AlignedBuffer::allocate(size_t bytes) {
    if (bytes == 0) return AlignedBuffer(nullptr, 0);
    void* memory = nullptr;
    if (::posix_memalign(&memory, pageSize(), bytes) != 0) return std::nullopt;
    std::memset(memory, 0, bytes);
    return AlignedBuffer(static_cast<uint8_t*>(memory), bytes);
}

AlignedBuffer::AlignedBuffer(AlignedBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

AlignedBuffer& AlignedBuffer::operator=(AlignedBuffer&& other) noexcept {
    if (this != &other) {
        std::free(data_);
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

AlignedBuffer::~AlignedBuffer() {
    std::free(data_);
}

}  // namespace platform
