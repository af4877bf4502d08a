#include "platform/containers/track_assembly.h"

#include <algorithm>

namespace platform::containers {
namespace {

constexpr uint32_t kMaxHeads = 2;

}  // namespace

ContainerError TrackCollector::add(TrackRecord track) {
    for (const SectorRecord& s : track.sectors) {
        dataBytes_ += s.size;
        if (dataBytes_ > kMaxImageBytes) return ContainerError::TooLarge;
    }
    tracks_.push_back(std::move(track));
    return ContainerError::None;
}

ContainerError TrackCollector::assemble(SectorImage& out) const {
    uint32_t size = 0;
    uint32_t firstId = 255;
    uint32_t lastId = 0;
    SectorGeometry g;
    for (const TrackRecord& t : tracks_) {
        if (t.head >= kMaxHeads) return ContainerError::IrregularGeometry;
        for (const SectorRecord& s : t.sectors) {
            if (size != 0 && s.size != size) return ContainerError::IrregularGeometry;
            size = s.size;
            firstId = std::min<uint32_t>(firstId, s.id);
            lastId = std::max<uint32_t>(lastId, s.id);
            g.cylinders = std::max(g.cylinders, t.cylinder + 1);
            g.heads = std::max(g.heads, t.head + 1);
        }
    }
    if (size == 0) return ContainerError::NoGeometry;
    g.sectorsPerTrack = lastId - firstId + 1;
    g.bytesPerSector = size;
    if (g.byteCount() > kMaxImageBytes) return ContainerError::TooLarge;

    out.geometry = g;
    out.firstSectorId = static_cast<uint8_t>(firstId);
    out.bytes.assign(g.byteCount(), kMissingSectorFill);
    out.states.assign(g.sectorCount(), SectorState::Unavailable);
    std::vector<bool> placed(g.sectorCount(), false);
    for (const TrackRecord& t : tracks_) {
        for (const SectorRecord& s : t.sectors) {
            const size_t index = out.sectorIndex(t.cylinder, t.head, s.id - firstId);
            // A later copy only stands in for a first one that had no data.
            if (placed[index] && out.states[index] != SectorState::Unavailable) continue;
            placed[index] = true;
            out.states[index] = s.state;
            if (s.state != SectorState::Unavailable) std::ranges::copy(s.data, out.sector(index).begin());
        }
    }
    return ContainerError::None;
}

}  // namespace platform::containers
