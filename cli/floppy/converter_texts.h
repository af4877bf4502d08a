#pragma once
// What the converter shows, said in orva's English. Its texts are matched against its own printf-style
// table, so the numbers it filled in (error codes, sector addresses) stay usable.
#include <optional>
#include <string>
#include <vector>

namespace cli {

// The printf places (%d, %s, %c) of format as they were filled in text; nothing when text is not format.
std::optional<std::vector<std::string>> filledPlaces(const char* format, const std::string& text);

enum class FloppyAction { Drives, Read, Write, Format };

enum class ShownKind {
    Done,     // the action's closing message
    Note,     // said on the way; the action goes on
    Failure,  // the action did not do what was asked
};

struct ShownText {
    ShownKind kind = ShownKind::Failure;
    std::string english;  // what orva says; the converter's own text is added by the caller
};

// A message box the converter showed while the action ran.
ShownText explainMessage(const std::string& text, FloppyAction action);

}  // namespace cli
