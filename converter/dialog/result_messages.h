#pragma once
// The messages the window shows when a floppy action has ended, in their order.
#include <string>
#include <vector>

#include "converter/actions/action_events.h"

namespace converter::dialog {

std::vector<std::string> resultMessages(actions::ActionKind kind, const actions::Result& result);

}  // namespace converter::dialog
