// Copying a file of the image to a new host file, cluster by cluster.
#include <algorithm>
#include <memory>
#include <span>

#include "image_state.h"

namespace orva {
namespace {

using namespace result::CopyF;

}  // namespace

int32_t ImageState::CopyF(std::string_view imagePath, std::string_view hostPath) {
    if (!isOpen()) return kNothingOpen;
    if (!imagePath.empty() && imagePath.back() == '\\') return kNamesFolder;
    DirEntry* e = nullptr;
    int32_t slots = 0;
    if (GetFDirEntry(imagePath, &e, &slots, nullptr) != result::GetFDirEntry::kFound) return kNotFound;
    uint32_t cluster = e->firstCluster;
    uint32_t remaining = e->size;
    int64_t offset = ClusterOffset(cluster);
    // Cluster 0 or 1 is no place for data: reading there would hand out the table or the root directory.
    if (offset < 0 || (remaining > 0 && cluster < kFirstDataCluster)) return kClusterOutOfLimits;

    int error = 0;
    auto host = platform::createExclusive(std::string(hostPath), error);
    if (!host) return kHostWriteFailed;

    int32_t result = kCopied;
    // Clusters that follow each other in the image are read and written as one piece.
    constexpr uint32_t kRunBytes = 64 * 1024;
    const uint32_t bufferBytes =
        std::max(layout_.clusterBytes, kRunBytes / layout_.clusterBytes * layout_.clusterBytes);
    const auto bufferSize = static_cast<size_t>(std::min<uint64_t>(
        bufferBytes,
        (uint64_t{remaining} + layout_.clusterBytes - 1) / layout_.clusterBytes * layout_.clusterBytes));
    // Each byte is read into before it is written out, so nothing needs clearing first.
    const auto storage = std::make_unique_for_overwrite<uint8_t[]>(bufferSize);
    const std::span<uint8_t> buffer(storage.get(), bufferSize);
    uint64_t written = 0;
    auto writeHost = [&](std::span<const uint8_t> piece) {
        if (host->writeAt(written, piece) != static_cast<int64_t>(piece.size())) return false;
        written += piece.size();
        return true;
    };
    // A file's chain that comes back to one of its clusters loops, however long the file claims to be.
    ClusterSet visited;
    while (remaining > 0) {
        uint32_t runBytes = 0;
        ChainLink link{};
        for (;;) {
            link = fat_.follow(cluster, visited);
            runBytes += std::min(remaining - runBytes, layout_.clusterBytes);
            const bool contiguous = link.kind == ChainLink::Next && link.next == cluster + 1;
            if (runBytes == remaining || !contiguous || runBytes + layout_.clusterBytes > bufferBytes) break;
            cluster = link.next;
        }
        const auto run = buffer.first(runBytes);
        if (!readImage(static_cast<uint64_t>(offset), run)) {
            // Keep the clusters before the unreadable one, as a copy cluster by cluster would.
            result = kImageReadFailed;
            for (uint32_t at = 0; at < runBytes; at += layout_.clusterBytes) {
                const auto piece = run.subspan(at, std::min(layout_.clusterBytes, runBytes - at));
                if (!readImage(static_cast<uint64_t>(offset) + at, piece)) break;
                if (!writeHost(piece)) {
                    result = kHostWriteFailed;
                    break;
                }
            }
            break;
        }
        if (!writeHost(run)) {
            result = kHostWriteFailed;
            break;
        }
        remaining -= runBytes;
        if (remaining == 0 || link.kind == ChainLink::End)
            break;  // a chain shorter than the size ends the file
        if (link.kind != ChainLink::Next) {
            result = kImageReadFailed;  // broken or looping chain
            break;
        }
        cluster = link.next;
        offset = ClusterOffset(cluster);
    }
    if (!host->close() && result == kCopied) result = kHostWriteFailed;
    return result;
}

}  // namespace orva
