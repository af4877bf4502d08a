#pragma once
// Every sector's state in a rescue, and the ddrescue map beside the image that keeps it between runs. The
// map is replaced whole each time (a new file, synced, renamed over the old), so a run killed at any moment
// leaves either the map before a step or the one after it.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/containers/mapfile.h"

namespace converter::actions {

class SectorMap {
  public:
    SectorMap(uint32_t sectors, uint32_t bytesPerSector);

    // A sector is finished only when every byte of it is; else it takes the state of its first byte that
    // is not. What the map leaves out is not tried. Nothing, with a reason, for a map of a larger medium.
    static std::optional<SectorMap> fromMapfile(const platform::containers::Mapfile& map, uint32_t sectors,
                                                uint32_t bytesPerSector, std::string& error);
    platform::containers::Mapfile toMapfile() const;

    uint32_t sectors() const { return static_cast<uint32_t>(states_.size()); }
    char state(uint32_t sector) const { return states_[sector]; }
    void set(uint32_t sector, char state) { states_[sector] = state; }
    uint32_t count(char state) const;

    // Where the run is, for the status line.
    void setPhase(char phase, uint32_t pass, uint32_t sector);

  private:
    std::vector<char> states_;
    uint32_t bytesPerSector_;
    char phase_ = platform::containers::kNonTried;
    uint32_t pass_ = 1;
    uint32_t position_ = 0;
};

struct MapLoad {
    std::optional<SectorMap> map;  // nothing when there was no map file
    bool failed = false;
    int code = 0;       // an errno value, when reading it failed
    std::string error;  // what is wrong with it
};

MapLoad loadSectorMap(const std::string& path, uint32_t sectors, uint32_t bytesPerSector);
// False with an errno value in code.
bool saveSectorMap(const std::string& path, const SectorMap& map, const std::string& commandLine, int& code);

}  // namespace converter::actions
