#pragma once
// GNU ddrescue's mapfile: a status line (where the run is, in which phase and pass), then blocks of bytes
// with their state. ddrescue, ddrescuelog and the rescue tools around them read and write it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::containers {

// Block states, as the mapfile spells them.
inline constexpr char kNonTried = '?';
inline constexpr char kNonTrimmed = '*';
inline constexpr char kNonScraped = '/';
inline constexpr char kBadSector = '-';
inline constexpr char kFinished = '+';

struct MapBlock {
    uint64_t pos = 0;
    uint64_t size = 0;
    char status = kNonTried;
};

struct Mapfile {
    uint64_t currentPos = 0;
    char currentStatus = kNonTried;  // the phase: ? copying, * trimming, / scraping, - retrying, + finished
    uint32_t currentPass = 1;
    std::vector<MapBlock> blocks;  // in order, without gaps
};

// The text, each run of equal states one block. commandLine goes into the heading comment.
std::string mapfileText(const Mapfile& map, const std::string& commandLine);

struct MapfileParse {
    std::optional<Mapfile> map;
    std::string error;  // why not, when there is no map
};

// Comments and blank lines skipped; numbers in C notation (0x..., 0..., decimal) as ddrescue writes and
// reads them.
MapfileParse parseMapfile(std::string_view text);

struct MapfileRead {
    std::optional<Mapfile> map;
    int code = 0;       // an errno value when the file could not be read (ENOENT: there is none)
    std::string error;  // what is wrong with its text, when it was read
};

// A map file read whole (under its lock) and parsed.
MapfileRead readMapfile(const std::string& path);

}  // namespace platform::containers
