#pragma once
// A container seen as the raw image it holds: its sectors live in memory while it is open, and changes are
// encoded back into the container's own format when it is closed, replacing the file whole.
#include <memory>
#include <string>

#include "platform/containers/image_codec.h"
#include "platform/random_access_file.h"

namespace platform::containers {

class ContainerFile final : public RandomAccessFile {
  public:
    // original stays open, and so locked, until close; writable says whether changes may be written back.
    ContainerFile(std::unique_ptr<RandomAccessFile> original, std::string path, DecodedImage image,
                  bool writable);
    ~ContainerFile() override;
    ContainerFile(const ContainerFile&) = delete;
    ContainerFile& operator=(const ContainerFile&) = delete;

    int64_t readAt(uint64_t offset, std::span<uint8_t> out) override;
    // A written sector is whole again: whatever state it had, it now holds what was written.
    int64_t writeAt(uint64_t offset, std::span<const uint8_t> data) override;
    // The file is replaced whole at close, so a crash before then leaves the old one: nothing to order.
    bool syncData() override { return true; }
    std::optional<uint64_t> size() override { return image_.image.bytes.size(); }
    bool readOnly() const override { return !writable_; }
    // What is known of a sector beyond its bytes (a reader that filled it for want of data says so).
    void markSector(size_t index, SectorState state);
    // Writes the changes back, if there are any, then releases the file.
    bool close() override;
    // Writes the changes back now and keeps the file locked, for a writer that must know they are on disk
    // before it says so elsewhere (a rescue's map). False with errno set.
    bool saveNow();

    const DecodedImage& image() const { return image_; }

  private:
    bool writeBack();

    std::unique_ptr<RandomAccessFile> original_;
    std::string path_;
    DecodedImage image_;
    bool writable_;
    bool changed_ = false;
};

}  // namespace platform::containers
