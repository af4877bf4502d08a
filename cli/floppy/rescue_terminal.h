#pragma once
// A rescue as orva shows it: a progress line per cylinder while stderr is a terminal (pass, cylinder,
// sectors still missing), and what the run ended with.
#include <optional>
#include <string>

#include "converter/actions/rescue_events.h"

namespace cli {

class RescueTerminal final : public converter::actions::RescueObserver {
  public:
    explicit RescueTerminal(std::string drive) : drive_(std::move(drive)) {}

    bool insertMedium() override { return false; }
    void started(converter::actions::Phase phase, const DiskGeometry& geometry) override;
    void cylinderDone(converter::actions::Phase, uint32_t) override {}
    void passStarted(converter::actions::RescuePass pass, uint32_t round, uint32_t missing) override;
    void cylinderTried(converter::actions::RescuePass pass, uint32_t cylinder, uint32_t missing) override;
    void sectorTried(converter::actions::RescuePass, const converter::actions::SectorResult&) override {}
    bool stopRequested() override;
    void rescued(const converter::actions::RescueSummary& summary) override { summary_ = summary; }
    void noted(converter::actions::RescueNote note, uint32_t code) override;
    void finished(const converter::actions::Result& result) override;

    const converter::actions::Result& result() const { return result_; }
    const std::optional<converter::actions::RescueSummary>& summary() const { return summary_; }

  private:
    std::string drive_;
    std::string pass_;
    uint32_t cylinders_ = 0;
    converter::actions::Result result_;
    std::optional<converter::actions::RescueSummary> summary_;
};

// "C/H/S".
std::string sectorText(const converter::SectorId& id);

}  // namespace cli
