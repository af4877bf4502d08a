#pragma once
// The file interface the library reads and writes images through; tests substitute recording doubles.
#include <cstdint>
#include <optional>
#include <span>

namespace platform {

class RandomAccessFile {
  public:
    virtual ~RandomAccessFile() = default;
    // Bytes transferred, fewer than asked at the end of the file, or -1 on failure.
    virtual int64_t readAt(uint64_t offset, std::span<uint8_t> out) = 0;
    virtual int64_t writeAt(uint64_t offset, std::span<const uint8_t> data) = 0;
    // Makes the data written so far durable: an ordering point between dependent writes.
    virtual bool syncData() = 0;
    virtual std::optional<uint64_t> size() = 0;
    // Sets the file's length; bytes added read as zeros. False where the file cannot be resized.
    virtual bool setSize(uint64_t) { return false; }
    // True when every write will be refused whatever the file's permission bits say: an image in a format
    // that can be read but not written back.
    virtual bool readOnly() const { return false; }
    // Releases the file and its lock; false when the platform reported a failure (released all the same).
    virtual bool close() = 0;
};

}  // namespace platform
