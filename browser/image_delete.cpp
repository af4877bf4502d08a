// "×": deleting a file or an empty folder of the image.
#include "browser/browser_dialog.h"
#include "browser/message_table.h"
#include "library_codes.h"

namespace browser {

void BrowserDialog::onDelete() {
    onImage([this] { deleteImageItem(); });
}

void BrowserDialog::deleteImageItem() {
    const ItemHandle item = view_.selectedItem(Tree::Image);
    if (item == kNoItem) {
        view_.showMessage(browser::messageText(Message::SelectImageItem));
        return;
    }
    const ItemData data = imageTree_.data(item);
    const std::string path = data.kind == ItemKind::ImageRoot     ? std::string("\\")
                             : data.kind == ItemKind::ImageFolder ? data.libraryPath + "\\"
                                                                  : data.libraryPath;
    int32_t result = 0;
    {
        const auto wait = view_.waitCursor();
        result = lib_.KillF(path.c_str(), 0);
    }
    if (result == orva::result::KillF::kProtected) {
        const auto failure = libraryFailure(result, kKillF);
        if (failure && failure->toShow() && view_.askYesNo(failure->text)) {
            const auto wait = view_.waitCursor();
            result = lib_.KillF(path.c_str(), 1);
        } else {
            result = orva::result::KillF::kDeleted;
        }
    }
    if (result == orva::result::KillF::kIsRoot) {
        if (view_.askYesNo(browser::messageText(Message::RootNotDeletable))) closeImage(true);
        return;
    }
    // A read-only image (8) says so through the common rule; closing it would not help.
    showMessageIfReported(result, kKillF);
    if (result != orva::result::KillF::kDeleted) return;
    showResultBox();
    refreshImage();
}

}  // namespace browser
