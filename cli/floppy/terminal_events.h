#pragma once
// A floppy action as orva shows it: what happens said on stderr in English, questions answered from the
// options (or asked at the terminal), a progress line per cylinder, and a record of the unreadable sectors
// and of how the action ended.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "converter/actions/action_events.h"

namespace cli {

struct FloppyAnswers {
    bool yes = false;              // erasing the floppy (or formatting it to the type offered) is agreed
    bool formatFirst = false;      // "format before writing?"
    bool stopOnBadSector = false;  // an unreadable sector ends the read instead of being filled
    bool ask = false;              // a person at the terminal answers what the options leave open
};

class TerminalEvents final : public converter::actions::ActionObserver {
  public:
    using Result = converter::actions::Result;

    TerminalEvents(converter::actions::ActionKind kind, std::string drive, FloppyAnswers answers)
        : kind_(kind), drive_(std::move(drive)), answers_(answers) {}

    bool insertMedium() override;
    bool eraseFloppy(char driveLetter) override;
    bool formatBeforeWriting() override { return answers_.formatFirst; }
    bool formatToOffered(const DiskGeometry& offered) override;
    converter::actions::BadSectorDecision badSector(const converter::actions::BadSector& sector) override;
    void mustBeFormatted() override;
    void started(converter::actions::Phase phase, const DiskGeometry& geometry) override;
    void cylinderDone(converter::actions::Phase phase, uint32_t cylinder) override;
    // Also for a drive found unusable before any action ran: said as an action's own failure.
    void finished(const Result& result) override;

    // What the drive held when it was last inspected (nothing: no medium it could tell), for saying what a
    // format replaces.
    void setListedMedium(const std::optional<DiskGeometry>& medium) { listedMedium_ = medium; }

    const Result& result() const { return result_; }
    // "cylinder/head/sector" of each unreadable sector, in the order met.
    const std::vector<std::string>& badSectors() const { return badSectors_; }
    bool stoppedAtBadSector() const { return stoppedAtBadSector_; }

  private:
    void say(bool failure, const std::string& english);
    bool agreeToErase(const std::string& english);
    void drawProgress();

    converter::actions::ActionKind kind_;
    std::string drive_;
    FloppyAnswers answers_;
    Result result_;
    std::vector<std::string> badSectors_;
    bool stoppedAtBadSector_ = false;
    std::string phase_;  // "reading" ..., while a phase runs
    uint32_t cylinders_ = 0;
    uint32_t done_ = 0;
    std::optional<DiskGeometry> listedMedium_;
};

}  // namespace cli
