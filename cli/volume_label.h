#pragma once
// Volume label texts as the user types them, checked and put in the form DOS gives them.
#include <optional>
#include <string>

#include "short_name_text.h"

namespace cli {

using orva::kLabelBytes;

struct LabelText {
    std::string label;  // upper case; valid when problem is empty
    std::string problem;
};

// Upper-cases ASCII letters, as DOS and Windows do, and refuses what no DOS label holds: more than 11
// characters or punctuation DOS reserves. Bytes outside printable ASCII are left for the library to refuse.
LabelText checkLabel(const std::string& typed);
// Whether every byte is printable ASCII (what the library accepts in a label).
bool printableAscii(const std::string& text);

}  // namespace cli
