#include "emulation/memory_file.h"

#include <algorithm>

namespace converter::emulation {

int64_t MemoryFile::readAt(uint64_t offset, std::span<uint8_t> out) {
    if (offset >= bytes_.size()) return 0;
    const size_t n = std::min<uint64_t>(out.size(), bytes_.size() - offset);
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), n, out.begin());
    return static_cast<int64_t>(n);
}

int64_t MemoryFile::writeAt(uint64_t offset, std::span<const uint8_t> data) {
    if (offset + data.size() > bytes_.size()) bytes_.resize(offset + data.size());
    std::copy(data.begin(), data.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
    return static_cast<int64_t>(data.size());
}

bool MemoryFile::setSize(uint64_t bytes) {
    bytes_.resize(bytes);
    return true;
}

}  // namespace converter::emulation
