#include "platform/containers/teledisk_decode.h"

#include <algorithm>
#include <vector>

#include "le_bytes.h"
#include "platform/containers/byte_cursor.h"
#include "platform/containers/lzhuf_decode.h"
#include "platform/containers/teledisk_layout.h"
#include "platform/containers/track_assembly.h"

namespace platform::containers {
namespace {

// Room for the sectors of the largest image and every header around them.
constexpr size_t kMaxExpandedBytes = kMaxImageBytes + (1u << 20);

bool fillPattern(ByteCursor& in, size_t patternBytes, size_t count, std::vector<uint8_t>& data, size_t size) {
    const auto pattern = in.take(patternBytes);
    if (!pattern) return false;
    for (size_t n = 0; n < count; ++n) {
        if (data.size() + patternBytes > size) return false;
        data.insert(data.end(), pattern->begin(), pattern->end());
    }
    return true;
}

// A data block must yield exactly one sector: more or less means the block is damaged.
ContainerError readData(ByteCursor& file, uint32_t size, std::vector<uint8_t>& data) {
    const auto blockBytes = file.u16();
    if (!blockBytes) return ContainerError::Truncated;
    if (*blockBytes == 0) return ContainerError::BadRecord;
    const auto block = file.take(*blockBytes);
    if (!block) return ContainerError::Truncated;
    ByteCursor in(*block);
    const uint8_t encoding = *in.u8();
    bool ok = true;
    switch (encoding) {
        case td0::kRaw: {
            const auto bytes = in.take(size);
            ok = bytes.has_value();
            if (ok) data.assign(bytes->begin(), bytes->end());
            break;
        }
        case td0::kRepeatedPair: {
            const auto count = in.u16();
            ok = count && fillPattern(in, 2, *count, data, size);
            break;
        }
        case td0::kRuns:
            while (ok && data.size() < size) {
                const auto kind = in.u8();
                const auto n = in.u8();
                if (!kind || !n) {
                    ok = false;
                } else if (*kind == 0) {
                    const auto literal = in.take(*n);
                    ok = literal && data.size() + *n <= size;
                    if (ok) data.insert(data.end(), literal->begin(), literal->end());
                } else {
                    // Patterns longer than a sector cannot occur; refusing them keeps the shift defined.
                    ok = *kind <= td0::kLastSizeCode + 7 &&
                         fillPattern(in, size_t{1} << *kind, *n, data, size);
                }
            }
            break;
        default:
            return ContainerError::BadRecord;
    }
    return ok && data.size() == size ? ContainerError::None : ContainerError::BadRecord;
}

ContainerError readSector(ByteCursor& in, SectorRecord& sector, bool& duplicate) {
    const auto header = in.take(td0::kSectorHeaderBytes);
    if (!header) return ContainerError::Truncated;
    const uint8_t sizeCode = (*header)[td0::kSizeCodeAt];
    const uint8_t flags = (*header)[td0::kFlagsAt];
    if (sizeCode > td0::kLastSizeCode) return ContainerError::BadRecord;
    sector.id = (*header)[td0::kSectorIdAt];
    sector.size = 128u << sizeCode;
    duplicate = flags & td0::kDuplicate;
    if (flags & td0::kNoData) {
        sector.state = SectorState::Unavailable;
        return ContainerError::None;
    }
    if (flags & td0::kNotAllocated) {
        sector.data.assign(sector.size, td0::kUnallocatedFill);
        return ContainerError::None;
    }
    sector.state = flags & td0::kDataError ? SectorState::DataError : SectorState::Normal;
    return readData(in, sector.size, sector.data);
}

ContainerError readTracks(ByteCursor& in, TrackCollector& tracks) {
    for (;;) {
        const auto header = in.take(td0::kTrackHeaderBytes);
        if (!header) return ContainerError::Truncated;
        const uint8_t count = (*header)[0];
        if (count == td0::kEndOfImage) return ContainerError::None;
        TrackRecord track{(*header)[1], static_cast<uint32_t>((*header)[2] & td0::kHeadMask), {}};
        for (uint8_t s = 0; s < count; ++s) {
            SectorRecord sector;
            bool duplicate = false;
            if (auto e = readSector(in, sector, duplicate); e != ContainerError::None) return e;
            if (!duplicate) track.sectors.push_back(std::move(sector));
        }
        if (auto e = tracks.add(std::move(track)); e != ContainerError::None) return e;
    }
}

std::string commentText(std::span<const uint8_t> raw) {
    std::string text;
    for (uint8_t b : raw) {
        if (b == 0) {
            text += "\r\n";
        } else {
            text.push_back(static_cast<char>(b));
        }
    }
    while (text.ends_with("\r\n")) text.resize(text.size() - 2);
    return text;
}

}  // namespace

uint16_t teleDiskCrc(std::span<const uint8_t> bytes) {
    uint16_t crc = 0;
    for (uint8_t b : bytes) {
        crc ^= static_cast<uint16_t>(b << 8);
        for (int i = 0; i < 8; ++i)
            crc = static_cast<uint16_t>(crc & 0x8000 ? (crc << 1) ^ 0xA097 : crc << 1);
    }
    return crc;
}

ContainerError decodeTeleDisk(std::span<const uint8_t> file, TeleDiskImage& out) {
    if (file.size() < td0::kHeaderBytes) return ContainerError::Truncated;
    const auto header = file.first(td0::kHeaderBytes);
    const bool compressed = std::equal(header.begin(), header.begin() + 2, td0::kCompressedSignature);
    if (!compressed && !std::equal(header.begin(), header.begin() + 2, td0::kPlainSignature)) {
        return ContainerError::BadHeader;
    }
    if (teleDiskCrc(header.first(td0::kHeaderCrc.offset)) != orva::load16(header, td0::kHeaderCrc.offset)) {
        return ContainerError::BadHeader;
    }
    // A set spread over several files (.td0, .td1 ...) carries its volume number; only lone files are read.
    if (header[td0::kVolumeSequence.offset] != 0) return ContainerError::Unsupported;
    if (compressed && header[td0::kVersion.offset] < td0::kFirstLzhufVersion)
        return ContainerError::Unsupported;

    std::vector<uint8_t> expanded;
    std::span<const uint8_t> body = file.subspan(td0::kHeaderBytes);
    if (compressed) {
        if (auto e = lzhufDecode(body, kMaxExpandedBytes, expanded); e != ContainerError::None) return e;
        body = expanded;
    }
    ByteCursor in(body);
    if (header[td0::kStepping.offset] & td0::kCommentFlag) {
        const auto commentHeader = in.take(td0::kCommentHeaderBytes);
        if (!commentHeader) return ContainerError::Truncated;
        const auto text = in.take(orva::load16(*commentHeader, td0::kCommentLength.offset));
        if (!text) return ContainerError::Truncated;
        out.comment = commentText(*text);
    }
    TrackCollector tracks;
    if (auto e = readTracks(in, tracks); e != ContainerError::None) return e;
    return tracks.assemble(out.image);
}

}  // namespace platform::containers
