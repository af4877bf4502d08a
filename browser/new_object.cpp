// The fourth button: a new empty image file (no image shown), or a folder or the volume label in the image.
#include <filesystem>

#include "bootsectors/empty_image.h"
#include "browser/browser_dialog.h"
#include "browser/message_table.h"
#include "browser/paths.h"
#include "library_codes.h"

namespace browser {
namespace {

// A name without a dot of four or more characters, or whose part from the last dot is longer than four,
// gets the default extension; shorter names are used as typed.
std::string withImageExtension(const std::string& name, const std::string& defaultExtension) {
    const size_t dot = name.rfind('.');
    const long tail =
        static_cast<long>(name.size()) - (dot == std::string::npos ? -1 : static_cast<long>(dot));
    return tail > 4 ? name + defaultExtension : name;
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

}  // namespace

void BrowserDialog::onNew() {
    if (imageTree_.children(kNoItem).empty())
        newImage();
    else
        onImage([this] { newFolderOrLabel(); });
}

void BrowserDialog::newImage() {
    const ItemHandle item = view_.selectedItem(Tree::Host);
    if (item == kNoItem) {
        view_.showMessage(browser::messageText(Message::SelectHostItem));
        return;
    }
    const ItemData data = hostTree_.data(item);
    std::string folder = data.path;
    std::string preset;
    if (data.kind == ItemKind::File) {
        preset = hostNameOf(data.path);
        folder = hostFolderOf(data.path);
    }
    const auto choice = view_.askNewImage(preset);
    if (!choice || choice->fileName.empty()) return;
    const std::string path = joinHostPath(folder, withImageExtension(choice->fileName, defaultExtension_));
    if (imageIsOpen_ && sameFile(path, openImageFile_)) {
        view_.showMessage(shownMessage(Message::OpenImageNotReplaced, {path}));
        return;
    }
    // A file that cannot be made says so too; a half-written one has said it already.
    if (bootsectors::CreateEmptyImage(choice->templateId, path, choice->label) !=
        bootsectors::kImageCreated) {
        view_.showMessage(browser::messageText(Message::EmptyImageNotMade));
    }
    rebuildHostTree();
    if (const ItemHandle made = findHostItem(path); made != kNoItem) view_.selectItem(Tree::Host, made);
}

void BrowserDialog::newFolderOrLabel() {
    ItemHandle item = view_.selectedItem(Tree::Image);
    if (item == kNoItem) {
        view_.showMessage(browser::messageText(Message::SelectImageFolder));
        return;
    }
    if (imageTree_.data(item).kind == ItemKind::ImageFile) item = imageTree_.parentOf(item);
    const ItemData target = imageTree_.data(item);
    const bool atRoot = target.kind == ItemKind::ImageRoot;
    const std::string folder = atRoot ? "\\" : target.libraryPath + "\\";

    std::string preset = shownLabel_;
    preset.erase(preset.find_last_not_of(' ') + 1);
    const auto choice = view_.askNewItem(atRoot && !volumeLabel_.empty() ? preset : std::string(), atRoot);
    if (!choice) return;
    if (choice->volumeLabel) {
        const int32_t r = lib_.WriteVol(choice->name.c_str());
        if (r > orva::result::WriteVol::kDone)
            showMessageIfReported(r, kWriteVol);
        else
            refreshImage();
        return;
    }
    const std::string path = folder + choice->name;
    DirEntry* entry = nullptr;
    int32_t slots = 0;
    if (lib_.GetFDirEntry(path.c_str(), &entry, &slots, nullptr) == orva::result::GetFDirEntry::kFound) {
        view_.showMessage(browser::messageText(Message::FolderExists));
        return;
    }
    int32_t made = 0;
    {
        const auto wait = view_.waitCursor();
        made = lib_.MkDir(path.c_str());
    }
    if (made != orva::result::MkDir::kCreated)
        showMessageIfReported(made, kMkDir, choice->name.c_str());
    else
        refreshImage();
}

}  // namespace browser
