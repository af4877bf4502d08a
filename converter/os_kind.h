#pragma once
// The converter's requests and questions follow the platform line it behaves as.
#include "platform/os_kind.h"

namespace converter {

using platform::OsKind;

}  // namespace converter
