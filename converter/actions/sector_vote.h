#pragma once
// The data of a sector whose CRC keeps failing, decided bit by bit by a majority over its reads. A bit that
// flips now and then is outvoted; the sector counts as recovered only once the majority holds steady.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace converter::actions {

class SectorVote {
  public:
    // Reads needed before a majority is trusted at all.
    static constexpr uint32_t kFewestReads = 3;

    void add(std::span<const uint8_t> payload);
    uint32_t reads() const { return reads_; }

    // The bitwise majority over every read, or nothing while some bit is tied.
    std::optional<std::vector<uint8_t>> majority() const;
    // The majority, once there were enough reads and the last one did not change it.
    std::optional<std::vector<uint8_t>> settled() const;
    // The best guess so far, for an image that keeps a data-error sector's bytes: the majority, a tied bit
    // as the last read had it. Empty before the first read.
    std::vector<uint8_t> best() const;

  private:
    std::vector<uint32_t> ones_;  // per bit, how many reads had it set
    uint32_t reads_ = 0;
    std::optional<std::vector<uint8_t>> before_;  // the majority before the last read
    std::vector<uint8_t> last_;                   // the last read
};

}  // namespace converter::actions
