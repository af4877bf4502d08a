// Writing sectors as an ImageDisk file.
#include <algorithm>
#include <cstdio>
#include <optional>

#include "platform/containers/imd_codec.h"
#include "platform/containers/imd_layout.h"

namespace platform::containers {
namespace {

std::optional<uint8_t> sizeCodeOf(uint32_t bytes) {
    for (uint8_t code = 0; code <= imd::kLastSizeCode; ++code) {
        if (128u << code == bytes) return code;
    }
    return std::nullopt;
}

// High density tracks (15 sectors and more of 512 bytes) are written at 500 kbps, the rest at 250.
uint8_t defaultMode(const SectorGeometry& g) {
    return g.sectorsPerTrack * g.bytesPerSector >= 15 * 512 ? imd::kMfm500 : imd::kMfm250;
}

uint8_t recordOf(SectorState state, bool deleted, std::span<const uint8_t> data) {
    if (state == SectorState::Unavailable) return imd::kUnavailable;
    uint8_t kind = state == SectorState::DataError ? (deleted ? imd::kDeletedDataError : imd::kDataError)
                                                   : (deleted ? imd::kDeleted : imd::kNormal);
    const bool uniform = std::all_of(data.begin(), data.end(), [&](uint8_t b) { return b == data[0]; });
    return uniform ? static_cast<uint8_t>(kind + 1) : kind;
}

struct TrackPlan {
    uint8_t mode;
    std::vector<uint8_t> ids;
    std::vector<uint8_t> cylinderIds;
    std::vector<uint8_t> headIds;
    std::vector<bool> deleted;
};

const ImdTrackLayout* findTrack(const ImdLayout& layout, uint32_t cylinder, uint32_t head) {
    for (const ImdTrackLayout& t : layout.tracks) {
        if (t.cylinder == cylinder && t.head == head) return &t;
    }
    return nullptr;
}

// Nothing when the track is better left out.
std::optional<TrackPlan> planTrack(const SectorImage& image, const ImdLayout& layout, uint32_t cylinder,
                                   uint32_t head) {
    const SectorGeometry& g = image.geometry;
    const auto hasData = [&](uint32_t id) {
        return image.states[image.sectorIndex(cylinder, head, id - image.firstSectorId)] !=
               SectorState::Unavailable;
    };
    TrackPlan plan{defaultMode(g), {}, {}, {}, {}};
    const ImdTrackLayout* known = findTrack(layout, cylinder, head);
    if (known) {
        plan.mode = known->mode;
        plan.ids = known->ids;
        plan.cylinderIds = known->cylinderIds;
        plan.headIds = known->headIds;
        plan.deleted = known->deleted;
    }
    // Sectors the original track lacked join it once they have data.
    for (uint32_t s = 0; s < g.sectorsPerTrack; ++s) {
        const uint32_t id = image.firstSectorId + s;
        if (std::find(plan.ids.begin(), plan.ids.end(), id) != plan.ids.end()) continue;
        if (known && !hasData(id)) continue;
        plan.ids.push_back(static_cast<uint8_t>(id));
        if (!plan.cylinderIds.empty()) plan.cylinderIds.push_back(static_cast<uint8_t>(cylinder));
        if (!plan.headIds.empty()) plan.headIds.push_back(static_cast<uint8_t>(head));
        plan.deleted.push_back(false);
    }
    const bool anyData = std::any_of(plan.ids.begin(), plan.ids.end(), hasData);
    if (!known && !layout.tracks.empty() && !anyData) return std::nullopt;
    return plan;
}

void append(std::vector<uint8_t>& out, std::span<const uint8_t> bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
}

}  // namespace

std::string imdHeaderLine(int year, int month, int day, int hour, int minute, int second) {
    char line[64];
    std::snprintf(line, sizeof line, "IMD 1.18: %02d/%02d/%04d %02d:%02d:%02d\r\n", day, month, year, hour,
                  minute, second);
    return line;
}

ContainerError encodeImd(const SectorImage& image, const ImdLayout& layout, std::vector<uint8_t>& out) {
    const SectorGeometry& g = image.geometry;
    const auto sizeCode = sizeCodeOf(g.bytesPerSector);
    if (!g.known() || image.states.size() != g.sectorCount()) return ContainerError::NoGeometry;
    if (!sizeCode || g.heads > 2 || g.cylinders > 256 || image.firstSectorId + g.sectorsPerTrack > 256) {
        return ContainerError::IrregularGeometry;
    }
    out.clear();
    out.insert(out.end(), layout.headerLine.begin(), layout.headerLine.end());
    out.insert(out.end(), layout.comment.begin(), layout.comment.end());
    out.push_back(imd::kCommentEnd);

    for (uint32_t c = 0; c < g.cylinders; ++c) {
        for (uint32_t h = 0; h < g.heads; ++h) {
            const auto plan = planTrack(image, layout, c, h);
            if (!plan) continue;
            uint8_t headByte = static_cast<uint8_t>(h);
            if (!plan->cylinderIds.empty()) headByte |= imd::kCylinderMapFlag;
            if (!plan->headIds.empty()) headByte |= imd::kHeadMapFlag;
            const uint8_t header[imd::kTrackHeaderBytes] = {plan->mode, static_cast<uint8_t>(c), headByte,
                                                            static_cast<uint8_t>(plan->ids.size()),
                                                            *sizeCode};
            append(out, header);
            append(out, plan->ids);
            append(out, plan->cylinderIds);
            append(out, plan->headIds);
            for (size_t i = 0; i < plan->ids.size(); ++i) {
                const size_t index = image.sectorIndex(c, h, plan->ids[i] - image.firstSectorId);
                const auto data = image.sector(index);
                const uint8_t record = recordOf(image.states[index], plan->deleted[i], data);
                out.push_back(record);
                if (record == imd::kUnavailable) continue;
                if (imd::isCompressed(record)) {
                    out.push_back(data[0]);
                } else {
                    append(out, data);
                }
            }
        }
    }
    return ContainerError::None;
}

}  // namespace platform::containers
