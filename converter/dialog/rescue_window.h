#pragma once
// Mirask's window while a rescue runs: no question per sector, the pass and the cylinder beside the progress
// bar, a press of Stop ending the run after the request under way, and at the end what was recovered and
// what is still hurt.
#include <memory>
#include <optional>
#include <string>

#include "converter/actions/rescue_events.h"
#include "converter/dialog/converter_view.h"
#include "converter/dialog/info_list.h"

namespace converter::dialog {

class RescueWindow final : public actions::RescueObserver {
  public:
    // stop: set by the window's Stop button while the run lets it through.
    RescueWindow(ConverterView& view, InfoList& info, uint32_t rounds, std::string imagePath,
                 std::string mapPath, const bool& stop)
        : view_(view),
          info_(info),
          rounds_(rounds),
          imagePath_(std::move(imagePath)),
          mapPath_(std::move(mapPath)),
          stop_(stop) {}

    bool insertMedium() override;
    void started(actions::Phase phase, const DiskGeometry& geometry) override;
    void cylinderDone(actions::Phase, uint32_t) override {}
    void passStarted(actions::RescuePass pass, uint32_t round, uint32_t missing) override;
    void cylinderTried(actions::RescuePass pass, uint32_t cylinder, uint32_t missing) override;
    void sectorTried(actions::RescuePass, const actions::SectorResult&) override {}
    bool stopRequested() override;
    void rescued(const actions::RescueSummary& summary) override { summary_ = summary; }
    void noted(actions::RescueNote note, uint32_t code) override;
    void finished(const actions::Result& result) override;

  private:
    void showLine(const std::string& line);

    ConverterView& view_;
    InfoList& info_;
    uint32_t rounds_;
    std::string imagePath_, mapPath_;
    const bool& stop_;
    std::optional<int> progressLine_;
    uint32_t cylinders_ = 0;
    std::unique_ptr<WaitCursorScope> wait_;
    std::optional<actions::RescueSummary> summary_;
};

}  // namespace converter::dialog
