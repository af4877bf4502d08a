#pragma once
// How a floppy action ended, in orva's English.
#include <string>

#include "converter/actions/action_events.h"

namespace cli {

// What went wrong, without the drive; empty where nothing is left to say (no failure, or a refused question
// or a stop that was said when it came).
std::string failureText(converter::actions::ActionKind kind, const converter::actions::Result& result);

}  // namespace cli
