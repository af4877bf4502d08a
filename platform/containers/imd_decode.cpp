// Reading an ImageDisk file into sectors.
#include <algorithm>

#include "platform/containers/byte_cursor.h"
#include "platform/containers/imd_codec.h"
#include "platform/containers/imd_layout.h"
#include "platform/containers/track_assembly.h"

namespace platform::containers {
namespace {

SectorState stateOf(uint8_t record) {
    switch (imd::uncompressed(record)) {
        case imd::kUnavailable:
            return SectorState::Unavailable;
        case imd::kDataError:
        case imd::kDeletedDataError:
            return SectorState::DataError;
        default:
            return SectorState::Normal;
    }
}

bool isDeleted(uint8_t record) {
    const uint8_t kind = imd::uncompressed(record);
    return kind == imd::kDeleted || kind == imd::kDeletedDataError;
}

ContainerError readMap(ByteCursor& in, bool present, size_t count, std::vector<uint8_t>& out) {
    if (!present) return ContainerError::None;
    const auto bytes = in.take(count);
    if (!bytes) return ContainerError::Truncated;
    out.assign(bytes->begin(), bytes->end());
    return ContainerError::None;
}

ContainerError readSector(ByteCursor& in, uint32_t size, SectorRecord& sector, bool& deleted) {
    const auto record = in.u8();
    if (!record) return ContainerError::Truncated;
    if (*record > imd::kLastRecord) return ContainerError::BadRecord;
    sector.size = size;
    sector.state = stateOf(*record);
    deleted = isDeleted(*record);
    if (*record == imd::kUnavailable) return ContainerError::None;
    if (imd::isCompressed(*record)) {
        const auto fill = in.u8();
        if (!fill) return ContainerError::Truncated;
        sector.data.assign(size, *fill);
        return ContainerError::None;
    }
    const auto data = in.take(size);
    if (!data) return ContainerError::Truncated;
    sector.data.assign(data->begin(), data->end());
    return ContainerError::None;
}

ContainerError readTrack(ByteCursor& in, TrackCollector& tracks, ImdTrackLayout& layout) {
    const auto header = in.take(imd::kTrackHeaderBytes);
    if (!header) return ContainerError::Truncated;
    const uint8_t headByte = (*header)[imd::kHeadAt];
    const uint8_t count = (*header)[imd::kSectorCountAt];
    const uint8_t sizeCode = (*header)[imd::kSizeCodeAt];
    if ((*header)[imd::kModeAt] > imd::kLastMode) return ContainerError::BadRecord;
    // 0xFF (a size per sector) is an extension of some writers that no PC floppy needs.
    if (sizeCode > imd::kLastSizeCode)
        return sizeCode == 0xFF ? ContainerError::Unsupported : ContainerError::BadRecord;
    layout.mode = (*header)[imd::kModeAt];
    layout.cylinder = (*header)[imd::kCylinderAt];
    layout.head = headByte & imd::kHeadMask;

    const auto ids = in.take(count);
    if (!ids) return ContainerError::Truncated;
    layout.ids.assign(ids->begin(), ids->end());
    if (auto e = readMap(in, headByte & imd::kCylinderMapFlag, count, layout.cylinderIds);
        e != ContainerError::None) {
        return e;
    }
    if (auto e = readMap(in, headByte & imd::kHeadMapFlag, count, layout.headIds);
        e != ContainerError::None) {
        return e;
    }

    TrackRecord track{layout.cylinder, layout.head, {}};
    const uint32_t size = 128u << sizeCode;
    for (uint8_t id : layout.ids) {
        SectorRecord sector;
        sector.id = id;
        bool deleted = false;
        if (auto e = readSector(in, size, sector, deleted); e != ContainerError::None) return e;
        layout.deleted.push_back(deleted);
        track.sectors.push_back(std::move(sector));
    }
    return tracks.add(std::move(track));
}

}  // namespace

ContainerError decodeImd(std::span<const uint8_t> file, ImdImage& out) {
    if (file.size() < imd::kSignature.size() ||
        !std::equal(imd::kSignature.begin(), imd::kSignature.end(), file.begin())) {
        return ContainerError::BadHeader;
    }
    const auto end = std::find(file.begin(), file.end(), imd::kCommentEnd);
    if (end == file.end()) return ContainerError::Truncated;
    const std::string text(file.begin(), end);
    const size_t lineEnd = text.find('\n');
    out.layout.headerLine = lineEnd == std::string::npos ? text : text.substr(0, lineEnd + 1);
    out.layout.comment = lineEnd == std::string::npos ? std::string() : text.substr(lineEnd + 1);

    ByteCursor in(file.subspan(static_cast<size_t>(end - file.begin()) + 1));
    TrackCollector tracks;
    while (!in.atEnd()) {
        ImdTrackLayout layout;
        if (auto e = readTrack(in, tracks, layout); e != ContainerError::None) return e;
        out.layout.tracks.push_back(std::move(layout));
    }
    return tracks.assemble(out.image);
}

}  // namespace platform::containers
