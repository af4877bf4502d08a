// Library result codes turned into the messages the user sees.
#include <cstdio>

#include "browser/browser_dialog.h"
#include "browser/message_table.h"
#include "library_codes.h"

namespace browser {

int BrowserDialog::reportLibraryError(int32_t code, int function, const char* name) {
    if (code == orva::result::kDone) return 0;
    std::optional<int> id;
    // Two codes mean the same for every function but the open itself.
    if (function > kOpenFDImg && code == orva::result::kNothingOpen)
        id = 118;
    else if (function > kOpenFDImg && code == orva::result::kReadOnlyImage)
        id = 136;
    else
        id = messageIdFor(function, code);

    if (!id) {
        messageText_ = formatMessage(167, {std::to_string(code), std::to_string(function)});
        view_.showMessage(messageText_);
        return -1;
    }
    messageText_ = name != nullptr ? formatMessage(*id, {name}) : browser::messageText(*id);
    return code;
}

void BrowserDialog::showMessageIfReported(int32_t code, int function, const char* name) {
    if (reportLibraryError(code, function, name) > 0) view_.showMessage(messageText_);
}

void BrowserDialog::appendCheckDetails() {
    int32_t checkCode = 0;
    if (lib_.GetLastErr(&checkCode, checkEntry_.data(), &checkOffset_) != orva::result::GetLastErr::kRead)
        return;
    char line[64];
    std::snprintf(line, sizeof line, "\nChyba %d: %08lx:\n", static_cast<int>(checkCode),
                  static_cast<unsigned long>(checkOffset_));
    messageText_ += line;
    for (uint8_t b : checkEntry_) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02x", b);
        messageText_ += hex;
    }
}

}  // namespace browser
