#include "cylinder_buffer.h"

#include "action_result.h"
#include "media_types.h"

namespace converter::actions {

std::optional<Result> queryGeometry(HeldDrive& held, DiskGeometry& geometry) {
    if (held.access().QueryGeometry(held.handle(), held.number(), geometry)) return std::nullopt;
    return failed(Failure::NoGeometry, static_cast<int>(held.access().LastError()));
}

std::optional<platform::AlignedBuffer> cylinderBuffer(const DiskGeometry& geometry) {
    const std::optional<uint32_t> bytes = cylinderBytes(geometry);
    if (!bytes) return std::nullopt;
    return platform::AlignedBuffer::allocate(*bytes);
}

}  // namespace converter::actions
