#pragma once
// The last-error codes the floppy variants report, in the words Windows gives them: the code alone tells a
// person nothing, and on Linux its number means something else as an errno.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace converter {

// Windows' own text for the codes the variants report; nothing for one they never report.
std::optional<std::string_view> lastErrorMeaning(uint32_t code);

// "error 21 (The device is not ready)"; "error N" where the meaning is not known.
std::string lastErrorText(uint32_t code);

}  // namespace converter
