#pragma once
// Mirask's window texts in the language installed: the logic's Czech texts are the catalogue's sources.
#include <string>

#include <QString>

#include "converter/dialog/texts.h"
#include "desktop/translated_text.h"

namespace mirask {

inline QString shownText(const char* source) {
    return desktop::translated(converter::dialog::text::kProgramName, source);
}
inline QString shownText(const std::string& source) {
    return shownText(source.c_str());
}

}  // namespace mirask
