#include "converter/dialog/converter_options.h"

namespace converter::dialog {

ConverterOptions parseConverterText(const std::string& text, OsKind osKind) {
    ConverterOptions options;
    options.osKind = osKind;
    std::string extensions = options.extensionText;
    if (text.size() > 1 && text[0] == '.') extensions = text;
    if (const size_t d = text.find("/D"); d != std::string::npos) {
        options.diagSwitch = (d + 2 < text.size() ? (static_cast<unsigned char>(text[d + 2]) & 15) : 0) + 1;
    }
    options.extensionText = extensions + " ";
    return options;
}

}  // namespace converter::dialog
