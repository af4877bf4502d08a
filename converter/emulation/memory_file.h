#pragma once
// A medium kept in memory, behind the same file interface as an image file on disk.
#include <utility>
#include <vector>

#include "platform/random_access_file.h"

namespace converter::emulation {

class MemoryFile final : public platform::RandomAccessFile {
public:
    explicit MemoryFile(std::vector<uint8_t> bytes = {}) : bytes_(std::move(bytes)) {}

    int64_t readAt(uint64_t offset, std::span<uint8_t> out) override;
    int64_t writeAt(uint64_t offset, std::span<const uint8_t> data) override;
    bool syncData() override { return true; }
    std::optional<uint64_t> size() override { return bytes_.size(); }
    bool setSize(uint64_t bytes) override;
    bool close() override { return true; }

private:
    std::vector<uint8_t> bytes_;
};

}  // namespace converter::emulation
