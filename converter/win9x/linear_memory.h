#pragma once
// The caller's memory as VWIN32 sees it: 32-bit linear addresses. Register blocks and packets carry buffer
// addresses in 32 bits, which a 64-bit host pointer does not fit, so each buffer handed to a request is given
// an address here for as long as the request needs it, and a device reaches only the bytes so given.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace converter::win9x {

class LinearMemory {
public:
    // Holds a block's address; the block is unreachable again once this is gone.
    class Mapping {
    public:
        Mapping(Mapping&& other) noexcept;
        Mapping& operator=(Mapping&&) = delete;
        Mapping(const Mapping&) = delete;
        ~Mapping();
        uint32_t address() const { return address_; }

    private:
        friend class LinearMemory;
        Mapping(LinearMemory* memory, uint32_t address) : memory_(memory), address_(address) {}
        LinearMemory* memory_;
        uint32_t address_;
    };

    LinearMemory() = default;
    LinearMemory(const LinearMemory&) = delete;
    LinearMemory& operator=(const LinearMemory&) = delete;

    // Nothing when the 32-bit space has no room left for the block.
    std::optional<Mapping> map(std::span<uint8_t> block);
    std::optional<Mapping> mapReadOnly(std::span<const uint8_t> block);

    // The bytes at [address, address + length), only when they lie inside one block given; a read-only block
    // cannot be written.
    std::optional<std::span<const uint8_t>> reach(uint32_t address, uint32_t length) const;
    std::optional<std::span<uint8_t>> reachWritable(uint32_t address, uint32_t length) const;

private:
    struct Block {
        uint32_t address;
        const uint8_t* data;
        uint8_t* writable;  // null for a read-only block
        uint32_t size;
    };
    std::optional<Mapping> add(const uint8_t* data, uint8_t* writable, size_t size);
    const Block* find(uint32_t address, uint32_t length) const;
    void remove(uint32_t address);

    std::vector<Block> blocks_;
};

}  // namespace converter::win9x
