#pragma once
// Runs one of the converter's floppy actions on a drive, says what it reports, and turns how it ended into
// orva's exit status.
#include <string>
#include <vector>

#include "converter/actions/action_events.h"
#include "floppy/terminal_events.h"
#include "media_types.h"

namespace cli {

// The image holds sectors that could not be read and were filled.
inline constexpr int kExitFilledSectors = 3;

struct FloppyRequest {
    converter::actions::ActionKind action = converter::actions::ActionKind::Read;
    std::string drive;  // as typed: "a:", "A", ...
    std::string image;  // read and write
    std::vector<std::string> emulate;
    FloppyAnswers answers;
    converter::MEDIA_TYPE formatType = converter::Unknown;  // format: Unknown for the medium's own
    std::string label;                                      // format: checked already
};

int runFloppyAction(const FloppyRequest& request);

}  // namespace cli
