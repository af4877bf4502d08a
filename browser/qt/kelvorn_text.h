#pragma once
// Kelvorn's window texts in the language installed: the logic's Czech texts are the catalogue's sources.
#include <string>

#include <QString>

#include "browser/message_table.h"
#include "desktop/translated_text.h"

namespace kelvorn {

inline QString shownText(const char* source) {
    return desktop::translated(browser::kProgramName, source);
}
inline QString shownText(const std::string& source) {
    return shownText(source.c_str());
}

}  // namespace kelvorn
