#pragma once
// Mirask's window while a floppy action runs: the action's questions become its message boxes, its phases the
// progress line and bar, and how it ended its closing messages, all in the window's own Czech texts.
#include <memory>
#include <optional>

#include "converter/actions/action_events.h"
#include "converter/dialog/converter_view.h"
#include "converter/dialog/info_list.h"

namespace converter::dialog {

class WindowEvents final : public actions::ActionObserver {
  public:
    WindowEvents(ConverterView& view, InfoList& info, actions::ActionKind kind)
        : view_(view), info_(info), kind_(kind) {}

    bool insertMedium() override;
    bool eraseFloppy(char driveLetter) override;
    bool formatBeforeWriting() override;
    bool formatToOffered(const DiskGeometry& offered) override;
    actions::BadSectorDecision badSector(const actions::BadSector& sector) override;
    void mustBeFormatted() override;
    void started(actions::Phase phase, const DiskGeometry& geometry) override;
    void cylinderDone(actions::Phase phase, uint32_t cylinder) override;
    void finished(const actions::Result& result) override;

    const actions::Result& result() const { return result_; }

  private:
    void removeProgressLine();
    void showCylinder(uint32_t oneBased);

    ConverterView& view_;
    InfoList& info_;
    actions::ActionKind kind_;
    std::optional<int> progressLine_;  // its index in the information list while a phase runs
    uint32_t cylinders_ = 0;           // of the phase that runs
    std::unique_ptr<WaitCursorScope> wait_;
    actions::Result result_;
};

}  // namespace converter::dialog
