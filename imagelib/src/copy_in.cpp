// Copying a host file into the image: data first, then the allocation table, then the entry; the entry is
// written only once what it names is durable.
#include <cerrno>

#include "image_state.h"
#include "platform/file_times.h"
#include "platform/path_info.h"

namespace orva {
namespace {

using namespace result::CopyT;

constexpr uint32_t kRunBytes = 64 * 1024;

std::string_view afterLast(std::string_view path, char separator) {
    const size_t at = path.rfind(separator);
    return at == std::string_view::npos ? path : path.substr(at + 1);
}

}  // namespace

// Writes the host file's data into a first-fit chain; on failure the chain keeps the clusters really
// written and the entry's size says what they hold, so the image stays consistent.
int32_t ImageState::copyHostData(platform::RandomAccessFile& host, NewEntry& entry) {
    const uint32_t cb = layout_.clusterBytes;
    const uint32_t size = entry.size;
    const size_t needed = (size_t{size} + cb - 1) / cb;
    std::vector<uint32_t> chain;
    chain.reserve(needed);
    for (int32_t c = fat_.FatFindFree(kFirstDataCluster); chain.size() < needed && c > 0;) {
        chain.push_back(static_cast<uint32_t>(c));
        if (chain.size() < needed) c = fat_.FatFindFree(c + 1);
    }
    if (chain.size() < needed) return kDoesNotFit;
    for (size_t i = 0; i < needed; ++i) FatSet(chain[i], i + 1 < needed ? chain[i + 1] : kEndOfChain, false);

    std::vector<uint8_t> buffer(std::min<size_t>(std::max(cb, kRunBytes / cb * cb), needed * cb));
    int32_t result = kCopied;
    uint64_t done = 0;
    size_t kept = 0;
    while (kept < needed) {
        // Clusters that follow each other in the image go in one write.
        size_t end = kept + 1;
        while (end < needed && chain[end] == chain[end - 1] + 1 && (end - kept + 1) * cb <= buffer.size())
            ++end;
        const size_t runBytes = (end - kept) * cb;
        const size_t dataBytes = std::min<uint64_t>(runBytes, size - done);
        if (host.readAt(done, std::span(buffer).first(dataBytes)) != static_cast<int64_t>(dataBytes)) {
            result = kHostReadFailed;
            break;
        }
        // The end of the last cluster holds zeros, not what the buffer held before.
        std::fill(buffer.begin() + static_cast<long>(dataBytes), buffer.begin() + static_cast<long>(runBytes),
                  0);
        if (!writeImage(static_cast<uint64_t>(ClusterOffset(chain[kept])),
                        std::span(buffer).first(runBytes))) {
            result = kImageWriteFailed;
            break;
        }
        done += dataBytes;
        kept = end;
    }
    if (kept < needed) {
        for (size_t i = kept; i < needed; ++i) FatSet(chain[i], 0, false);
        if (kept > 0) FatSet(chain[kept - 1], kEndOfChain, false);
        entry.size = static_cast<uint32_t>(done);
    }
    entry.firstCluster = kept > 0 ? static_cast<uint16_t>(chain[0]) : 0;
    return result;
}

bool ImageState::writeGroup(const SlotRun& where, const NewEntry& entry) {
    const std::vector<Slot> slots = buildEntryGroup(entry);
    // The table and the data it points to are on disk before an entry names them.
    bool ok = barrier();
    for (const SlotSpan& run : neighbourRuns(where.offsets)) {
        std::vector<uint8_t> bytes;
        for (size_t i = run.first; i < run.first + run.count; ++i)
            bytes.insert(bytes.end(), slots[i].begin(), slots[i].end());
        ok = writeImage(where.offsets[run.first], bytes) && ok;
    }
    return ok;
}

int32_t ImageState::CopyT(std::string_view hostPathText, std::string_view imagePath) {
    if (!isOpen()) return kNothingOpen;
    if (readOnly_) return kReadOnlyImage;
    if (!ensureCurrent()) return kChangedOutside;
    const std::string hostPath(hostPathText);
    if (!hostPath.empty() && (hostPath.back() == '/' || hostPath.back() == '\\')) return kHostIsFolder;
    // Only a regular file is opened: a FIFO or a device could block or never end.
    const platform::PathInfo info = platform::inspectPath(hostPath);
    if (info.directory) return kHostIsFolder;
    if (!info.exists || !info.regular) return kHostUnopenable;
    const std::string_view name = !imagePath.empty() && imagePath.back() == '\\' ? afterLast(hostPath, '/')
                                                                                 : afterLast(imagePath, '\\');
    int error = 0;
    auto host = platform::openExclusive(hostPath, platform::Access::ReadOnly, error);
    if (!host) return error == EISDIR ? kHostIsFolder : kHostUnopenable;
    const auto size = host->size();
    if (!size || *size >= (uint64_t{1} << 32)) return kDoesNotFit;
    const uint32_t cb = layout_.clusterBytes;
    const uint64_t needed = (*size + cb - 1) / cb;
    if (needed > freeClusters_) return kDoesNotFit;
    const auto times = platform::fileTimes(hostPath);
    if (!times) return kHostReadFailed;

    const auto dir = targetDirectory(imagePath);
    if (!dir) return kNoTarget;
    NameFault nameFault;
    auto entry = nameNewEntry(name, *dir, nameFault);
    if (!entry) return refusedNameResult(nameFault, kNameForbidden, kNoRoom);
    entry->attributes = attr::kArchive;
    entry->stamps = {stampTimeOf(times->created), stampTimeOf(times->accessed), stampTimeOf(times->written)};
    entry->size = static_cast<uint32_t>(*size);

    const SlotRun slots = FindFreeSlots(static_cast<int32_t>(*dir), static_cast<int32_t>(entry->slotCount()));
    if (slots.offsets.empty()) {
        finishWrite();
        return kNoRoom;
    }
    // A folder that grew keeps its new clusters whatever happens next; the file may no longer fit.
    if (slots.clustersAdded > 0 && needed > freeClusters_)
        return finishWrite() ? kDoesNotFit : kImageWriteFailed;
    int32_t result = entry->size > 0 ? copyHostData(*host, *entry) : kCopied;
    host->close();
    if (result == kDoesNotFit) return finishWrite() ? kDoesNotFit : kImageWriteFailed;
    if (fatDirty_ && !flushFat() && result == kCopied) result = kImageWriteFailed;
    if (!writeGroup(slots, *entry) && result == kCopied) {
        result = kImageWriteFailed;
    }
    if (!finishWrite() && result == kCopied) result = kImageWriteFailed;
    return result;
}

}  // namespace orva
