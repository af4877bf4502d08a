#pragma once
// What Mirask says at a rescue's end: the counts, and the parts of the image still hurt.
#include <string>

#include "converter/actions/rescue_events.h"
#include "ui_port/shown_text.h"

namespace converter::dialog {

// The hurt parts are looked up in the image only while sectors are missing.
desktop::ShownText rescueReport(const actions::RescueSummary& summary, const std::string& imagePath,
                                const std::string& mapPath);

}  // namespace converter::dialog
