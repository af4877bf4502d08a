#pragma once
// Formats that store a floppy track by track (IMD, TeleDisk) hand their tracks to one collector, which owns
// the rule of when they form a regular geometry and lays them out in device order.
#include <cstdint>
#include <vector>

#include "platform/containers/container_error.h"
#include "platform/containers/sector_image.h"

namespace platform::containers {

struct SectorRecord {
    uint8_t id = 0;  // the sector number of its ID field
    uint32_t size = 0;
    SectorState state = SectorState::Normal;
    std::vector<uint8_t> data;  // size bytes; empty when Unavailable
};

struct TrackRecord {
    uint32_t cylinder = 0;
    uint32_t head = 0;
    std::vector<SectorRecord> sectors;
};

class TrackCollector {
  public:
    // TooLarge once the sectors collected hold more than any floppy: a hostile file cannot make us
    // allocate beyond that.
    ContainerError add(TrackRecord track);
    // Every sector of the regular geometry the tracks span; a sector no track holds is Unavailable, a
    // sector held twice keeps its first copy that has data.
    ContainerError assemble(SectorImage& out) const;
    const std::vector<TrackRecord>& tracks() const { return tracks_; }

  private:
    std::vector<TrackRecord> tracks_;
    uint64_t dataBytes_ = 0;
};

}  // namespace platform::containers
