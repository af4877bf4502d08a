#include "format_medium.h"

#include "action_result.h"
#include "progress_port.h"

namespace converter::actions {
namespace {

// The device steps a progress bar of its own; its steps reach the observer as cylinders done.
class FormatSteps final : public ProgressPort {
  public:
    explicit FormatSteps(ActionObserver& observer) : observer_(observer) {}
    // The observer set its range when the phase started.
    void SetRange(uint32_t, uint32_t) override {}
    void SetStep(uint32_t) override {}
    void SetPos(uint32_t) override {}
    void StepIt() override { observer_.cylinderDone(Phase::Formatting, done_++); }

  private:
    ActionObserver& observer_;
    uint32_t done_ = 0;
};

}  // namespace

std::optional<Result> formatMedium(HeldDrive& held, const DiskGeometry& geometry, ActionObserver& observer) {
    observer.started(Phase::Formatting, geometry);
    FormatSteps steps(observer);
    if (held.access().FormatAllCylinders(held.handle(), geometry, steps)) return std::nullopt;
    return refused(Failure::FormatFailed, held.access().LastError());
}

}  // namespace converter::actions
