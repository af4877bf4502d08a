// Library result codes turned into the messages the user sees.
#include <cstdio>

#include "browser/browser_dialog.h"
#include "browser/message_table.h"
#include "library_codes.h"
#include "platform/text_codec.h"

namespace browser {

std::optional<LibraryFailure> BrowserDialog::libraryFailure(int32_t code, int function, const char* name) {
    if (code == orva::result::kDone) return std::nullopt;
    std::optional<int> id;
    // Two codes mean the same for every function but the open itself.
    if (function > kOpenFDImg && code == orva::result::kNothingOpen)
        id = static_cast<int>(Message::NotOpen);
    else if (function > kOpenFDImg && code == orva::result::kReadOnlyImage)
        id = static_cast<int>(Message::ReadOnlyImage);
    else if (function > kOpenFDImg && code == orva::result::kChangedOutside)
        id = static_cast<int>(Message::ImageParametersChanged);
    else
        id = messageIdFor(function, code);

    if (!id) {
        view_.showMessage(
            formatMessage(Message::UnknownError, {std::to_string(code), std::to_string(function)}));
        return LibraryFailure{code, {}};
    }
    // Host names need not be text: a message shows them as far as they are.
    return LibraryFailure{
        code, name != nullptr ? formatMessage(*id, {platform::shownUtf8(name)}) : browser::messageText(*id)};
}

void BrowserDialog::showMessageIfReported(int32_t code, int function, const char* name) {
    if (const auto failure = libraryFailure(code, function, name); failure && failure->toShow())
        view_.showMessage(failure->text);
}

std::string BrowserDialog::checkDetails() {
    checkCode_ = orva::check::kPassed;
    if (lib_.GetLastErr(&checkCode_, checkEntry_.data(), &checkOffset_) != orva::result::GetLastErr::kRead)
        return {};
    char line[64];
    std::snprintf(line, sizeof line, "\nChyba %d: %08lx:\n", static_cast<int>(checkCode_),
                  static_cast<unsigned long>(checkOffset_));
    std::string details = line;
    for (uint8_t b : checkEntry_) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02x", b);
        details += hex;
    }
    return details;
}

std::string BrowserDialog::failedCheckText(const LibraryFailure& failure, const std::string& folder,
                                           bool withDetails, bool namingFolder) {
    const std::string details = checkDetails();
    if (checkCode_ == orva::check::kChainLoop)
        return formatMessage(Message::FolderChainLoops, {folder}) + details;
    return failure.text + (namingFolder ? ": " + folder : "") + (withDetails ? details : "");
}

}  // namespace browser
