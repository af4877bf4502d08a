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
            shownMessage(Message::UnknownError, {std::to_string(code), std::to_string(function)}));
        return LibraryFailure{code, {}};
    }
    // Host names need not be text: a message shows them as far as they are.
    return LibraryFailure{
        code, name != nullptr ? shownMessage(*id, {platform::shownUtf8(name)}) : shownMessage(*id)};
}

void BrowserDialog::showMessageIfReported(int32_t code, int function, const char* name) {
    if (const auto failure = libraryFailure(code, function, name); failure && failure->toShow())
        view_.showMessage(failure->text);
}

desktop::ShownText BrowserDialog::checkDetails() {
    checkCode_ = orva::check::kPassed;
    if (lib_.GetLastErr(&checkCode_, checkEntry_.data(), &checkOffset_) != orva::result::GetLastErr::kRead)
        return {};
    std::string hex;
    for (uint8_t b : checkEntry_) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02x", b);
        hex += digits;
    }
    return desktop::ShownText::printf(UI_TEXT("Kelvorn", "\nChyba %d: %08lx:\n"),
                                      static_cast<int>(checkCode_),
                                      static_cast<unsigned long>(checkOffset_)) +
           desktop::ShownText::verbatim(hex);
}

desktop::ShownText BrowserDialog::failedCheckText(const LibraryFailure& failure, const std::string& folder,
                                                  bool withDetails, bool namingFolder) {
    const desktop::ShownText details = checkDetails();
    if (checkCode_ == orva::check::kChainLoop)
        return shownMessage(Message::FolderChainLoops, {folder}) + details;
    return failure.text +
           (namingFolder ? desktop::ShownText::verbatim(": " + folder) : desktop::ShownText()) +
           (withDetails ? details : desktop::ShownText());
}

}  // namespace browser
