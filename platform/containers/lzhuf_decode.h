#pragma once
// Expanding an LZHUF stream (TeleDisk's "advanced compression"). The stream carries no length: it is expanded
// until its bits run out.
#include <cstdint>
#include <span>
#include <vector>

#include "platform/containers/container_error.h"

namespace platform::containers {

// TooLarge once more than limit bytes came out.
ContainerError lzhufDecode(std::span<const uint8_t> in, size_t limit, std::vector<uint8_t>& out);

}  // namespace platform::containers
