#pragma once
// What Mirask's command line sets: the extension list, the diagnostic switch, and the platform line.
#include <string>

#include "os_kind.h"

namespace converter::dialog {

struct ConverterOptions {
    std::string extensionText = ".gvx .imd .td0 .cqm .imz";  // tokens, each beginning with "."
    int diagSwitch = 0;                  // 0, or (the character after /D AND 15) + 1
    OsKind osKind = OsKind::Nt;
};

// The rest of the command line, joined with blanks: a leading "." extension list and "/D" with its digit.
ConverterOptions parseConverterText(const std::string& text, OsKind osKind);

}  // namespace converter::dialog
