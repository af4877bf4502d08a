#pragma once
// Runs one of the converter's actions on a floppy drive through its own window logic, and turns how it
// ended into orva's exit status.
#include <cstdint>
#include <string>
#include <vector>

#include "floppy/command_line_view.h"
#include "floppy/converter_texts.h"

namespace cli {

// The image holds sectors that could not be read and were filled.
inline constexpr int kExitFilledSectors = 3;

struct FloppyRequest {
    FloppyAction action = FloppyAction::Read;
    std::string drive;  // as typed: "a:", "A", ...
    std::string image;  // read and write
    std::vector<std::string> emulate;
    FloppyAnswers answers;
    int32_t formatType = 0;  // format: 0 the medium's own
    std::string label;       // format: checked already
};

int runFloppyAction(const FloppyRequest& request);

}  // namespace cli
