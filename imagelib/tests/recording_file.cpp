#include "recording_file.h"

#include <algorithm>

#include "platform/host_file.h"

namespace orva::testing {

int64_t RecordingFile::writeAt(uint64_t offset, std::span<const uint8_t> data) {
    const int64_t n = inner_->writeAt(offset, data);
    if (n > 0) {
        const auto written = data.first(static_cast<size_t>(n));
        log_->push_back({FileOp::Kind::Write, offset, {written.begin(), written.end()}});
    }
    return n;
}

bool RecordingFile::syncData() {
    const bool ok = inner_->syncData();
    // A failed sync promises nothing, so it is no ordering point a crash test may rely on.
    if (ok) log_->push_back({FileOp::Kind::Sync, 0, {}});
    return ok;
}

ImageState::Opener recordingOpener(std::shared_ptr<FileLog> log) {
    return [log](const std::string& path, platform::Access access,
                 int& error) -> std::unique_ptr<platform::RandomAccessFile> {
        auto file = platform::openExclusive(path, access, error);
        if (!file) return nullptr;
        return std::make_unique<RecordingFile>(std::move(file), log);
    };
}

void applyWrites(std::vector<uint8_t>& image, std::span<const FileOp> ops) {
    for (const FileOp& op : ops) {
        if (op.kind != FileOp::Kind::Write) continue;
        const size_t end = static_cast<size_t>(op.offset) + op.bytes.size();
        if (image.size() < end) image.resize(end, 0);
        std::copy(op.bytes.begin(), op.bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(op.offset));
    }
}

size_t syncCount(std::span<const FileOp> ops) {
    return static_cast<size_t>(std::count_if(ops.begin(), ops.end(),
                                             [](const FileOp& op) { return op.kind == FileOp::Kind::Sync; }));
}

}  // namespace orva::testing
