#include "platform/containers/copyqm_decode.h"

#include <algorithm>
#include <array>
#include <numeric>

#include "le_bytes.h"
#include "platform/containers/byte_cursor.h"
#include "platform/containers/copyqm_layout.h"

namespace platform::containers {
namespace {

bool validSectorSize(uint32_t bytes) {
    for (uint32_t size = 128; size <= 8192; size *= 2) {
        if (bytes == size) return true;
    }
    return false;
}

// Runs until the image is full or the file ends; at says how many bytes came in.
ContainerError expandRuns(ByteCursor& in, std::span<uint8_t> image, size_t& at) {
    at = 0;
    while (at < image.size() && !in.atEnd()) {
        const auto word = in.u16();
        if (!word) return ContainerError::Truncated;
        const int length = static_cast<int16_t>(*word);
        const size_t count = static_cast<size_t>(length < 0 ? -length : length);
        if (count > image.size() - at) return ContainerError::BadRecord;
        if (length < 0) {
            const auto fill = in.u8();
            if (!fill) return ContainerError::Truncated;
            std::fill_n(image.begin() + static_cast<long>(at), count, *fill);
        } else {
            const auto literal = in.take(count);
            if (!literal) return ContainerError::Truncated;
            std::ranges::copy(*literal, image.begin() + static_cast<long>(at));
        }
        at += count;
    }
    return ContainerError::None;
}

}  // namespace

uint32_t copyQmCrc(std::span<const uint8_t> bytes) {
    static const std::array<uint32_t, 64> table = [] {
        std::array<uint32_t, 64> t{};
        for (uint32_t i = 0; i < t.size(); ++i) {
            uint32_t r = i;
            for (int k = 0; k < 8; ++k) r = r & 1 ? (r >> 1) ^ 0xEDB88320u : r >> 1;
            t[i] = r;
        }
        return t;
    }();
    uint32_t crc = 0;
    for (uint8_t b : bytes) crc = table[(b ^ crc) & 0x3F] ^ (crc >> 8);
    return crc;
}

ContainerError decodeCopyQm(std::span<const uint8_t> file, SectorImage& out) {
    ByteCursor in(file);
    const auto header = in.take(cqm::kHeaderBytes);
    if (!header) return ContainerError::Truncated;
    const uint8_t sum = std::accumulate(header->begin(), header->end(), uint8_t{0},
                                        [](uint8_t a, uint8_t b) { return static_cast<uint8_t>(a + b); });
    if ((*header)[0] != 'C' || (*header)[1] != 'Q' || sum != 0) return ContainerError::BadHeader;

    SectorGeometry g;
    g.bytesPerSector = orva::load16(*header, cqm::kSectorBytes.offset);
    g.sectorsPerTrack = orva::load16(*header, cqm::kSectorsPerTrack.offset);
    g.heads = orva::load16(*header, cqm::kHeads.offset);
    g.cylinders = (*header)[cqm::kTotalCylinders.offset];
    const uint32_t used = (*header)[cqm::kUsedCylinders.offset];
    if (!validSectorSize(g.bytesPerSector) || g.heads == 0 || g.heads > 2 || g.sectorsPerTrack == 0 ||
        g.sectorsPerTrack > 255 || g.cylinders == 0 || used > g.cylinders) {
        return ContainerError::BadHeader;
    }
    if (g.byteCount() > kMaxImageBytes) return ContainerError::TooLarge;
    if (!in.take(orva::load16(*header, cqm::kCommentLength.offset))) return ContainerError::Truncated;

    out.geometry = g;
    out.firstSectorId = 1;
    out.bytes.assign(g.byteCount(), cqm::kUncopiedFill);
    out.states.assign(g.sectorCount(), SectorState::Normal);
    size_t got = 0;
    if (auto e = expandRuns(in, out.bytes, got); e != ContainerError::None) return e;
    const uint64_t usedBytes = uint64_t{used} * g.heads * g.sectorsPerTrack * g.bytesPerSector;
    if (got < usedBytes) return ContainerError::Truncated;
    // Old versions left the checksum 0.
    const uint32_t crc = orva::loadLe(*header, cqm::kDataCrc.offset, cqm::kDataCrc.width);
    if (crc != 0 && crc != copyQmCrc(std::span(out.bytes).first(got)))
        return ContainerError::ChecksumMismatch;
    return ContainerError::None;
}

}  // namespace platform::containers
