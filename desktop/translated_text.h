#pragma once
// Window texts in the language installed in the application, looked up under the program's name: the logic
// hands over its Czech templates, which are translated before their places are filled.
#include <QString>

#include "ui_port/shown_text.h"

namespace desktop {

QString translated(const char* program, const char* source);
QString translated(const char* program, const ShownText& text);

}  // namespace desktop
