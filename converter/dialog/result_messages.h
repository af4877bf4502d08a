#pragma once
// The messages the window shows when a floppy action has ended, in their order.
#include <string>
#include <vector>

#include "converter/actions/action_events.h"
#include "ui_port/shown_text.h"

namespace converter::dialog {

std::vector<desktop::ShownText> resultMessages(actions::ActionKind kind, const actions::Result& result);

}  // namespace converter::dialog
