// "--->": a host file, a host folder tree or a whole disk folder (with its .BOT boot sector) into the image.
#include <algorithm>
#include <array>

#include "browser/browser_dialog.h"
#include "browser/message_table.h"
#include "browser/paths.h"
#include "browser/tree_copy.h"
#include "library_codes.h"
#include "platform/folder_listing.h"
#include "platform/host_attributes.h"
#include "platform/host_file.h"
#include "platform/host_names.h"
#include "platform/path_info.h"
#include "platform/text_codec.h"
#include "short_name_text.h"

namespace browser {
namespace {

using namespace tree_copy;
namespace entry_result = orva::result::GetFDirEntry;

// The first boot sector file of a folder ("*.BOT", any letter case), in name order.
std::string bootFileIn(const std::string& folder) {
    const auto entries = platform::listFolderEntries(folder);
    if (!entries) return {};
    std::string found;
    for (const platform::FolderEntry& e : *entries) {
        if (e.isDirectory || !platform::lowerCaseUtf8(e.name).ends_with(".bot")) continue;
        if (found.empty() || e.name < found) found = e.name;
    }
    return found;
}

}  // namespace

void BrowserDialog::onCopyToImage() {
    onImage([this] { transferToImage(); });
}

void BrowserDialog::transferToImage() {
    const ItemHandle hostItem = view_.selectedItem(Tree::Host);
    const ItemHandle imageItem = view_.selectedItem(Tree::Image);
    if (hostItem == kNoItem || imageItem == kNoItem) {
        view_.showMessage(browser::messageText(Message::SelectInBothTrees));
        return;
    }
    const ItemData target = imageTree_.data(imageItem);
    if (target.kind != ItemKind::ImageFolder && target.kind != ItemKind::ImageRoot) {
        view_.showMessage(browser::messageText(Message::TargetNotImageFolder));
        return;
    }
    const IntoImage outcome = copyIntoImage(target, hostTree_.data(hostItem));
    if (outcome == IntoImage::Copied) showResultBox();
    if (outcome == IntoImage::Copied || outcome == IntoImage::CopiedInPart) refreshImage();
}

void BrowserDialog::onDropToImage(ItemHandle target, const std::vector<std::string>& hostPaths) {
    onImage([&] { dropToImage(target, hostPaths); });
}

void BrowserDialog::dropToImage(ItemHandle target, const std::vector<std::string>& hostPaths) {
    const auto roots = imageTree_.children(kNoItem);
    if (roots.empty() || hostPaths.empty()) return;
    // The space around the items stands for the root; an item of a tree read since is no target.
    if (target == kNoItem) target = roots.front();
    if (!imageTree_.contains(target)) return;
    if (imageTree_.data(target).kind == ItemKind::ImageFile) target = imageTree_.parentOf(target);
    const ItemData folder = imageTree_.data(target);

    bool changed = false;
    bool whole = true;
    for (const std::string& path : hostPaths) {
        ItemData source;
        source.kind = platform::inspectPath(path).directory ? ItemKind::Folder : ItemKind::File;
        source.path = path;
        const IntoImage outcome = copyIntoImage(folder, source);
        if (outcome == IntoImage::Declined) continue;
        changed = changed || outcome != IntoImage::Refused;
        // After a failure the rest waits: the person has just been told what went wrong.
        if (outcome != IntoImage::Copied) {
            whole = false;
            break;
        }
    }
    if (changed && whole) showResultBox();
    if (changed) refreshImage();
}

BrowserDialog::IntoImage BrowserDialog::copyIntoImage(const ItemData& target, const ItemData& source) {
    const bool sourceIsFolder = source.kind == ItemKind::Folder;
    if (sourceIsFolder && !view_.askYesNo(browser::messageText(Message::CopyWholeTree)))
        return IntoImage::Declined;

    const bool toRoot = target.kind == ItemKind::ImageRoot;
    const std::string targetFolder = toRoot ? "\\" : target.libraryPath + "\\";
    // A drive root stands as a file here: the library refuses it as a folder, naming it.
    const bool isDriveRoot = source.kind == ItemKind::DriveRoot;
    const std::string sourceName = isDriveRoot ? source.path : hostNameOf(source.path);
    const std::string sourcePath =
        isDriveRoot && !source.path.ends_with('/') ? source.path + "/" : source.path;

    const auto treeCopied = [](int32_t result) {
        return result == 0 ? IntoImage::Copied : IntoImage::CopiedInPart;
    };
    if (sourceIsFolder && toRoot) {
        if (const std::string bootFile = bootFileIn(source.path); !bootFile.empty()) {
            if (!copyDiskIntoRoot(source.path, bootFile)) return IntoImage::Refused;
            return treeCopied(copyHostTreeToImage("\\", source.path, bootFile));
        }
    }

    // A drive root is refused by the library, naming it, as it always was.
    if (!isDriveRoot && !imageNameUsable(sourceName, source.path)) return IntoImage::Refused;
    DirEntry* existing = nullptr;
    int32_t slots = 0;
    const int32_t free = lib_.GetFDirEntry((targetFolder + sourceName).c_str(), &existing, &slots, nullptr);
    if (free == entry_result::kFound) {
        view_.showMessage(browser::messageText(Message::FileExists));
        return IntoImage::Refused;
    }
    if (free == entry_result::kNotAFolder) {
        showMessageIfReported(free, kGetFDirEntry,
                              orva::storedShortName(orva::shortNameOf(*existing)).c_str());
        return IntoImage::Refused;
    }
    if (free != entry_result::kNotFound) {
        showMessageIfReported(free, kGetFDirEntry);
        return IntoImage::Refused;
    }

    if (sourceIsFolder) {
        lib_.SetFWrkDir(targetFolder.c_str());
        const int32_t made = lib_.MkDir((targetFolder + sourceName).c_str());
        if (made != orva::result::MkDir::kCreated) {
            showMessageIfReported(made, kMkDir, source.path.c_str());
            return IntoImage::Refused;
        }
        return treeCopied(copyHostTreeToImage(targetFolder + sourceName, source.path, ""));
    }
    const int32_t result = copyHostFileToImage(sourcePath, targetFolder);
    const std::string name = result == orva::result::CopyT::kNoTarget ? targetFolder : sourcePath;
    if (const auto failure = libraryFailure(result, kCopyT, name.c_str()); failure && failure->toShow())
        view_.showMessage(failure->text);
    return result == 0 ? IntoImage::Copied : IntoImage::Refused;
}

bool BrowserDialog::copyDiskIntoRoot(const std::string& hostFolder, const std::string& bootFile) {
    // Only an empty image takes a whole disk: nothing in the root but perhaps its label.
    DirEntry* entry = nullptr;
    int32_t slots = 0;
    int32_t r = lib_.FindMInDir("*", orva::kRootCluster, &entry, &slots);
    if (r == orva::result::FindMInDir::kFound && entry->attributes == orva::attr::kLabel)
        r = lib_.FindMInDir("", orva::kRootCluster, &entry, &slots);
    if (r > orva::result::FindMInDir::kEnd) {
        showMessageIfReported(r, kFindMInDir);
        return false;
    }
    if (r == orva::result::FindMInDir::kFound) {
        view_.showMessage(browser::messageText(Message::TargetNotEmptyImage));
        return false;
    }

    const std::string label = bootFile.substr(0, bootFile.rfind('.'));
    lib_.WriteVol(label.c_str());  // a label the library refuses leaves the image without one
    int error = 0;
    if (auto file =
            platform::openExclusive(joinHostPath(hostFolder, bootFile), platform::Access::ReadOnly, error)) {
        std::array<uint8_t, 512> sector{};
        const bool whole = file->readAt(0, sector) == static_cast<int64_t>(sector.size());
        file->close();
        if (whole) showMessageIfReported(lib_.WriteBoot(sector.data()), kWriteBoot);
    }
    return true;
}

int32_t BrowserDialog::copyHostFileToImage(const std::string& hostPath, const std::string& imageFolder) {
    int32_t result = 0;
    {
        const auto wait = view_.waitCursor();
        result = lib_.CopyT(hostPath.c_str(), imageFolder.c_str());
    }
    // A failed copy has no entry whose attributes could be set (and a name taken belongs to another file).
    if (result != orva::result::CopyT::kCopied) return result;
    const uint8_t attributes = platform::hostAttributes(hostPath, false);
    const int32_t set = lib_.SetAttrib(joinImagePath(imageFolder, hostNameOf(hostPath)).c_str(), attributes);
    showMessageIfReported(set, kSetAttrib, hostPath.c_str());
    return result;
}

int32_t BrowserDialog::copyHostTreeToImage(const std::string& imageFolder, const std::string& hostFolder,
                                           const std::string& skip) {
    const std::string folder = imageFolder.ends_with('\\') ? imageFolder : imageFolder + "\\";
    if (const int r = enterImageFolder(folder); r != 0) return r;
    auto entries = platform::listFolderEntries(hostFolder);
    if (!entries) {
        view_.showMessage(messageNaming(Message::NoRoomForEntries, hostFolder));
        return kHostFolderUnreadable;
    }
    std::sort(entries->begin(), entries->end(),
              [](const platform::FolderEntry& a, const platform::FolderEntry& b) { return a.name < b.name; });
    // A name the image cannot hold costs only its own item: the copy goes on and says so at the end.
    int32_t result = 0;
    for (const platform::FolderEntry& e : *entries) {
        if (e.name.starts_with('.') || e.name == skip) continue;
        const std::string hostPath = joinHostPath(hostFolder, e.name);
        const std::string imagePath = folder + e.name;
        // A link to a folder may lead back up the tree: never followed.
        if (e.isDirectory && e.isLink) continue;
        if (!imageNameUsable(e.name, hostPath)) {
            result = kItemsLeftOut;
            continue;
        }
        if (e.isDirectory) {
            const int32_t made = lib_.MkDir(imagePath.c_str());
            if (made != orva::result::MkDir::kCreated) {
                if (const auto failure = libraryFailure(made, kMkDir, hostPath.c_str());
                    failure && failure->toShow())
                    showNaming(*failure, hostPath);
                return kFolderNotMade;
            }
            if (const int32_t r = copyHostTreeToImage(imagePath, hostPath, ""); r == kItemsLeftOut)
                result = r;
            else if (r != 0)
                return r;
            if (const int r = enterImageFolder(folder); r != 0) return r;
            lib_.SetAttrib(imagePath.c_str(), platform::hostAttributes(hostPath, true));  // best effort
            continue;
        }
        int32_t copied = 0;
        {
            const auto wait = view_.waitCursor();
            copied = lib_.CopyT(hostPath.c_str(), imagePath.c_str());
        }
        if (copied != orva::result::CopyT::kCopied) {
            // The library left the image consistent; say which file it could not take.
            const std::string name = copied == orva::result::CopyT::kNoTarget ? folder : hostPath;
            if (const auto failure = libraryFailure(copied, kCopyT, name.c_str());
                failure && failure->toShow())
                showNaming(*failure, hostPath);
            return copied;
        }
        lib_.SetAttrib(imagePath.c_str(), platform::hostAttributes(hostPath, false));  // best effort
    }
    return result;
}

bool BrowserDialog::imageNameUsable(const std::string& name, const std::string& hostPath) {
    const auto message = nameFaultMessage(platform::imageNameFault(name));
    if (!message) return true;
    view_.showMessage(shownMessage(*message, {platform::shownUtf8(hostPath)}));
    return false;
}

int BrowserDialog::enterImageFolder(const std::string& folder) {
    const int32_t r = lib_.SetFWrkDir(folder.c_str());
    const auto failure = libraryFailure(r, kSetFWrkDir, folder.c_str());
    if (!failure) return 0;
    if (!failure->toShow()) return -1;
    view_.showMessage(failure->text);
    return failure->code;
}

void BrowserDialog::showNaming(const LibraryFailure& failure, const std::string& path) {
    const std::string shown = platform::shownUtf8(path);
    view_.showMessage(failure.text.str().find(shown) == std::string::npos
                          ? failure.text + desktop::ShownText::verbatim(": " + shown)
                          : failure.text);
}

}  // namespace browser
