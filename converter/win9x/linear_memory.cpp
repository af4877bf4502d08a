#include "win9x/linear_memory.h"

#include <algorithm>

namespace converter::win9x {
namespace {

// Where user memory began on Windows 95; blocks are spaced out so that running off one never enters another.
constexpr uint64_t kFirstAddress = 0x00400000;
constexpr uint64_t kSpacing = 0x10000;

}  // namespace

LinearMemory::Mapping::Mapping(Mapping&& other) noexcept : memory_(other.memory_), address_(other.address_) {
    other.memory_ = nullptr;
}

LinearMemory::Mapping::~Mapping() {
    if (memory_) memory_->remove(address_);
}

std::optional<LinearMemory::Mapping> LinearMemory::map(std::span<uint8_t> block) {
    return add(block.data(), block.data(), block.size());
}

std::optional<LinearMemory::Mapping> LinearMemory::mapReadOnly(std::span<const uint8_t> block) {
    return add(block.data(), nullptr, block.size());
}

std::optional<LinearMemory::Mapping> LinearMemory::add(const uint8_t* data, uint8_t* writable, size_t size) {
    uint64_t address = kFirstAddress;
    for (const Block& b : blocks_)
        address = std::max(address, (uint64_t{b.address} + b.size + 2 * kSpacing - 1) / kSpacing * kSpacing);
    if (address + size > 0xFFFFFFFF) return std::nullopt;
    blocks_.push_back({static_cast<uint32_t>(address), data, writable, static_cast<uint32_t>(size)});
    return Mapping(this, static_cast<uint32_t>(address));
}

const LinearMemory::Block* LinearMemory::find(uint32_t address, uint32_t length) const {
    for (const Block& b : blocks_) {
        if (address >= b.address && uint64_t{address} + length <= uint64_t{b.address} + b.size) return &b;
    }
    return nullptr;
}

std::optional<std::span<const uint8_t>> LinearMemory::reach(uint32_t address, uint32_t length) const {
    const Block* b = find(address, length);
    if (!b) return std::nullopt;
    return std::span<const uint8_t>(b->data + (address - b->address), length);
}

std::optional<std::span<uint8_t>> LinearMemory::reachWritable(uint32_t address, uint32_t length) const {
    const Block* b = find(address, length);
    if (!b || !b->writable) return std::nullopt;
    return std::span<uint8_t>(b->writable + (address - b->address), length);
}

void LinearMemory::remove(uint32_t address) {
    std::erase_if(blocks_, [&](const Block& b) { return b.address == address; });
}

}  // namespace converter::win9x
