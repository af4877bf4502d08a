#pragma once
// What a rescue tells its caller while it runs: the passes, each cylinder and sector tried, and at the end
// what is in the image and what it cost. A rescue asks no question per sector; the caller may stop it
// between requests.
#include <cstdint>
#include <vector>

#include "action_events.h"
#include "floppy_access.h"

namespace converter::actions {

// In the order that saves the most data soonest.
enum class RescuePass {
    Cylinders,  // one request per cylinder, as the plain read
    Sectors,    // the sectors of failed cylinders one by one
    Retries,    // rounds over what is still missing, each from a recalibrated head
};

enum class SectorOutcome {
    Read,             // clean
    RecoveredByVote,  // from the bitwise majority of CRC-failed reads that agreed
    Unread,           // still missing
};

enum class RescueNote {
    DriverMessagesKept,  // the driver goes on printing a line per failed read (quieting it needs root)
    TrackLayoutUnknown,  // track 0's headers could not be counted: the driver's geometry is used as it is
    MapWithoutImage,     // a map lay there without its image: every sector is read again, the map replaced
};

struct SectorResult {
    SectorId id;
    SectorOutcome outcome = SectorOutcome::Unread;
    RawReadOutcome raw = RawReadOutcome::NotOffered;  // what the raw path said, where it was used
    int code = 0;                                     // the device's error code when unread
};

struct RescueSummary {
    uint32_t sectors = 0;                   // on the medium
    uint32_t finished = 0;                  // in the map now, from any run
    std::vector<SectorId> recoveredByVote;  // in this run
    std::vector<SectorId> missing;          // still not finished
    uint64_t requests = 0;                  // reads sent to the drive in this run
    uint64_t recalibrations = 0;
};

class RescueObserver : public ActionObserver {
  public:
    virtual void passStarted(RescuePass pass, uint32_t round, uint32_t missing) = 0;
    virtual void cylinderTried(RescuePass pass, uint32_t cylinder, uint32_t missing) = 0;
    virtual void sectorTried(RescuePass pass, const SectorResult& result) = 0;
    // Asked before every request: true ends the run with what it has, the map kept.
    virtual bool stopRequested() = 0;
    // Before finished(), when the run got as far as the map.
    virtual void rescued(const RescueSummary& summary) = 0;
    // Something the run could not do, and went on without; code says why.
    virtual void noted(RescueNote note, uint32_t code) = 0;

    // A rescue never erases, formats or asks about single sectors.
    bool eraseFloppy(char) final { return false; }
    bool formatBeforeWriting() final { return false; }
    bool formatToOffered(const DiskGeometry&) final { return false; }
    BadSectorDecision badSector(const BadSector&) final { return BadSectorDecision::Fill; }
    void mustBeFormatted() final {}
};

}  // namespace converter::actions
