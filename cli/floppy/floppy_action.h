#pragma once
// Runs one of the converter's floppy actions on a drive, says what it reports, and turns how it ended into
// orva's exit status.
#include <optional>
#include <string>
#include <vector>

#include "converter/actions/action_events.h"
#include "floppy/floppy_drives.h"
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

// The image's absolute path; nothing, said on stderr, for what names no file.
std::optional<std::string> imagePath(const std::string& typed);

// The drive a command names, with the setup that keeps its access alive.
struct FoundDrive {
    FloppyDrives drives;
    converter::FloppyDriveEntry entry;
    std::string letter;  // "a:"
};
// Nothing, said on stderr, with the exit status to end with.
std::optional<FoundDrive> findDrive(const std::string& typed, const std::vector<std::string>& emulate,
                                    int& exitStatus);

}  // namespace cli
