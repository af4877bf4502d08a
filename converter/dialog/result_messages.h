#pragma once
// The messages the window shows when a floppy action has ended, in their order.
#include <string>
#include <vector>

#include "converter/actions/action_events.h"
#include "ui_port/shown_text.h"

namespace converter::dialog {

// What went wrong, said once; nothing where a question already said it (or for no failure at all).
desktop::ShownText failureMessage(actions::ActionKind kind, const actions::Result& result);

std::vector<desktop::ShownText> resultMessages(actions::ActionKind kind, const actions::Result& result);

}  // namespace converter::dialog
