#pragma once
// Which command a command line names, found before any parsing so that only that command is built.
#include "commands/commands.h"

namespace cli {

// The command named by the first argument that is neither one of orva's own options nor an option's value;
// nullptr when another option comes first (--help, --version, a mistake) or no known command is named, which
// the full command line then deals with.
const CommandSpec* namedCommand(int argc, const char* const* argv);

}  // namespace cli
