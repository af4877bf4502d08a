#pragma once
// A file double for crash tests: everything goes to the real image file, and every write and every ordering
// point is logged, so a test can rebuild the image as a crash at any ordering point would have left it.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "image_state.h"
#include "platform/random_access_file.h"

namespace orva::testing {

struct FileOp {
    enum class Kind { Write, Sync };
    Kind kind;
    uint64_t offset = 0;
    std::vector<uint8_t> bytes;  // what reached the file (a short write keeps only its part)
};

using FileLog = std::vector<FileOp>;

class RecordingFile final : public platform::RandomAccessFile {
  public:
    RecordingFile(std::unique_ptr<platform::RandomAccessFile> inner, std::shared_ptr<FileLog> log)
        : inner_(std::move(inner)), log_(std::move(log)) {}

    int64_t readAt(uint64_t offset, std::span<uint8_t> out) override { return inner_->readAt(offset, out); }
    int64_t writeAt(uint64_t offset, std::span<const uint8_t> data) override;
    bool syncData() override;
    std::optional<uint64_t> size() override { return inner_->size(); }
    bool close() override { return inner_->close(); }

  private:
    std::unique_ptr<platform::RandomAccessFile> inner_;
    std::shared_ptr<FileLog> log_;
};

// Opens files as the library normally does and wraps each in a RecordingFile that logs into log.
ImageState::Opener recordingOpener(std::shared_ptr<FileLog> log);

// Replays the writes among ops onto an image's bytes (syncs change nothing in the bytes).
void applyWrites(std::vector<uint8_t>& image, std::span<const FileOp> ops);

size_t syncCount(std::span<const FileOp> ops);

}  // namespace orva::testing
