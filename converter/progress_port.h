#pragma once
// The progress bar as formatting drives it: one step per cylinder.
#include <cstdint>

namespace converter {

class ProgressPort {
public:
    virtual ~ProgressPort() = default;
    virtual void SetRange(uint32_t lower, uint32_t upper) = 0;
    virtual void SetStep(uint32_t step) = 0;
    virtual void SetPos(uint32_t position) = 0;
    virtual void StepIt() = 0;
};

}  // namespace converter
