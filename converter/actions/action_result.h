#pragma once
// How the actions spell the results they end with.
#include <cstdint>
#include <string>

#include "action_events.h"
#include "win32_types.h"

namespace converter::actions {

inline Result failed(Failure failure, int code = 0, std::string subject = {}) {
    return {failure, code, std::move(subject)};
}

// A write or a format the floppy refused: write protection is a failure of its own.
inline Result refused(Failure failure, uint32_t code) {
    return failed(code == ERROR_WRITE_PROTECT ? Failure::WriteProtected : failure, static_cast<int>(code));
}

}  // namespace converter::actions
