// "<---": an image file, an image folder tree or the whole disk (with its boot sector as LABEL.BOT) to the
// host.
#include <array>

#include "browser/browser_dialog.h"
#include "browser/image_item_name.h"
#include "browser/message_table.h"
#include "browser/paths.h"
#include "browser/tree_copy.h"
#include "library_codes.h"
#include "lookup_name.h"
#include "platform/file_times.h"
#include "platform/host_attributes.h"
#include "platform/host_file.h"
#include "platform/host_names.h"
#include "platform/make_folder.h"
#include "platform/path_info.h"
#include "platform/text_codec.h"

namespace browser {
namespace {

using namespace tree_copy;

constexpr const char* kNoLabel = "NONAME";

struct Listed {
    std::string name;
    std::string lookupName;
    uint8_t attributes;
    uint16_t firstCluster;
    bool dotEntry;  // the folder's own "." or ".."
    EntryStamps stamps;
    uint32_t size;
};

}  // namespace

bool BrowserDialog::hostNameUsable(const std::string& name) {
    if (platform::hostNameProblem(name).empty()) return true;
    std::string shown = name;
    for (char& c : shown) {
        if (c == '\0') c = '?';
    }
    view_.showMessage(shownMessage(Message::UnusableHostName, {shown}));
    return false;
}

void BrowserDialog::onCopyToHost() {
    onImage([this] { transferToHost(); });
}

void BrowserDialog::transferToHost() {
    const ItemHandle hostItem = view_.selectedItem(Tree::Host);
    const ItemHandle imageItem = view_.selectedItem(Tree::Image);
    if (hostItem == kNoItem || imageItem == kNoItem) {
        view_.showMessage(browser::messageText(Message::SelectInBothTrees));
        return;
    }
    const ItemData target = hostTree_.data(hostItem);
    const bool fixedRoot =
        target.kind == ItemKind::DriveRoot && driveTypeOf(target.path) == platform::DriveType::Fixed;
    if (target.kind != ItemKind::Folder && !fixedRoot) {
        view_.showMessage(browser::messageText(Message::TargetNotHostFolder));
        return;
    }
    if (imageTree_.data(imageItem).kind != ItemKind::ImageFile &&
        !view_.askYesNo(browser::messageText(Message::CopyWholeTree)))
        return;
    const auto copied = copyItemToHost(imageItem, target.path);
    if (!copied) return;
    rebuildHostTree();
    // Back to where the copy went, instead of a tree folded up to its drive.
    if (const ItemHandle again = findHostItem(target.path); again != kNoItem)
        view_.selectItem(Tree::Host, again);
    if (copied->result == 0) showResultBox();
}

std::optional<std::string> BrowserDialog::copyOutForDrag(ItemHandle item, const std::string& hostFolder) {
    std::optional<std::string> made;
    onImage([&] {
        if (!imageTree_.contains(item)) return;
        if (const auto copied = copyItemToHost(item, hostFolder); copied && copied->result == 0)
            made = copied->path;
    });
    return made;
}

std::optional<BrowserDialog::OutToHost> BrowserDialog::copyItemToHost(ItemHandle imageItem,
                                                                      const std::string& hostFolder) {
    const ItemData source = imageTree_.data(imageItem);
    if (source.kind == ItemKind::ImageFile) {
        const int32_t result = copyImageFileToHost(imageItem, hostFolder);
        if (result < 0) return std::nullopt;  // a name the host cannot take, already said
        // A file cut short was named already; the host tree shows what there is.
        if (const auto failure = result == kItemsLeftOut
                                     ? std::nullopt
                                     : libraryFailure(result, kCopyF, source.libraryPath.c_str());
            failure && failure->toShow()) {
            view_.showMessage(failure->text);
            return std::nullopt;
        }
        return OutToHost{joinHostPath(hostFolder, imageTree_.text(imageItem)), result};
    }
    const auto wait = view_.waitCursor();
    const bool isRoot = source.kind == ItemKind::ImageRoot;
    std::string label = shownLabel_;
    label.erase(label.find_last_not_of(' ') + 1);
    if (label.empty()) label = kNoLabel;
    const std::string name = isRoot ? label : imageTree_.text(imageItem);
    if (!hostNameUsable(name)) return std::nullopt;
    const std::string targetFolder = joinHostPath(hostFolder, name);
    const std::string imageFolder = isRoot ? "\\" : source.libraryPath + "\\";
    if (platform::inspectPath(targetFolder).exists) {
        view_.showMessage(browser::messageText(Message::ExistsInTarget));
        return std::nullopt;
    }
    DirEntry* entry = nullptr;
    int32_t slots = 0;
    if (const int32_t r = lib_.GetFDirEntry(imageFolder.c_str(), &entry, &slots, nullptr);
        r != orva::result::GetFDirEntry::kFound) {
        showMessageIfReported(r, kGetFDirEntry);
        return std::nullopt;
    }
    const uint16_t cluster = entry->firstCluster;
    if (!platform::makeFolder(targetFolder)) {
        view_.showMessage(browser::messageText(Message::HostFolderNotMade));
        return std::nullopt;
    }
    if (isRoot) {
        if (!hostNameUsable(label + ".BOT") || !writeBootFile(joinHostPath(targetFolder, label + ".BOT")))
            return std::nullopt;
    }
    std::set<uint16_t> listed{cluster};
    return OutToHost{targetFolder, copyImageTreeToHost(cluster, {imageFolder, isRoot ? "\\" : source.path},
                                                       targetFolder, listed)};
}

bool BrowserDialog::writeBootFile(const std::string& path) {
    std::array<uint8_t, 512> sector{};
    DiskGeometry geometry{};
    bool written = lib_.GetFDType(&geometry, sector.data(), static_cast<int32_t>(sector.size())) ==
                   orva::result::GetFDType::kRead;
    int error = 0;
    if (written) {
        auto file = platform::createExclusive(path, error);
        written = file && file->writeAt(0, sector) == static_cast<int64_t>(sector.size());
        if (file) written = file->close() && written;
    }
    if (written)
        platform::setHostAttributes(path, platform::dos::kSystem);
    else
        view_.showMessage(messageNaming(Message::TargetNotWritten, path));
    return written;
}

int32_t BrowserDialog::copyImageFileToHost(ItemHandle imageItem, const std::string& hostFolder) {
    const std::string name = imageTree_.text(imageItem);
    if (!hostNameUsable(name)) return -1;
    const std::string hostFile = joinHostPath(hostFolder, name);
    const ItemData& item = imageTree_.data(imageItem);
    const auto wait = view_.waitCursor();
    const int32_t result = lib_.CopyF(item.libraryPath.c_str(), hostFile.c_str());
    DirEntry* entry = nullptr;
    int32_t slots = 0;
    if (result != orva::result::CopyF::kCopied ||
        lib_.GetFDirEntry(item.libraryPath.c_str(), &entry, &slots, nullptr) !=
            orva::result::GetFDirEntry::kFound)
        return result;
    const uint32_t size = entry->size;
    const EntryStamps stamps = stampsOf(*entry);
    platform::setHostAttributes(hostFile, entry->attributes & orva::attr::kCarried);
    setHostTimes(hostFile, stamps);
    return keptWhole(hostFile, size, item.path) ? result : kItemsLeftOut;
}

bool BrowserDialog::keptWhole(const std::string& hostFile, uint32_t size, const std::string& shownPath) {
    // The library ends a file whose chain ends before its size where the chain ends.
    if (platform::inspectPath(hostFile).size >= size) return true;
    view_.showMessage(shownMessage(Message::FileCutShort, {shownPath}));
    return false;
}

int32_t BrowserDialog::copyImageTreeToHost(uint16_t cluster, const ImageFolder& folder,
                                           const std::string& hostFolder, std::set<uint16_t>& listed) {
    if (!platform::inspectPath(hostFolder).directory) {
        view_.showMessage(messageNaming(Message::NoRoomForEntries, hostFolder));
        return kHostFolderUnreadable;
    }
    if (const int r = enterImageFolder(folder.libraryPath); r != 0) return r;
    // Whatever is left out on the way is named where it happens; the copy goes on and says so at its end.
    int32_t result = 0;
    // The whole folder is read before anything below it: the library has one enumeration, which the
    // folders below would take over.
    std::vector<Listed> entries;
    DirEntry* entry = nullptr;
    int32_t slots = 0;
    for (int32_t r = lib_.FindMInDir("*", cluster, &entry, &slots);;
         r = lib_.FindMInDir("", cluster, &entry, &slots)) {
        if (r != orva::result::FindMInDir::kFound) {
            const auto failure = libraryFailure(r, kFindMInDir);
            if (!failure || failure->code == orva::result::FindMInDir::kEnd) break;
            if (failure->toShow()) view_.showMessage(failedCheckText(*failure, folder.shownPath, true, true));
            result = kItemsLeftOut;
            // The entry of a failed slot is left out, the rest of the folder is not.
            if (r == orva::result::FindMInDir::kFoundCheckFailed) continue;
            break;
        }
        const orva::ShortName shortName = orva::shortNameOf(*entry);
        const std::string longName = longNameOf(entry, slots);
        std::string lookup = orva::lookupName(shortName, longName);
        const std::string name = imageItemName(entry, slots);
        // "." and ".." of a folder are its own; anywhere else such a name is damage, and said so below.
        const bool ownDotEntry = cluster != orva::kRootCluster &&
                                 (entry->attributes & orva::attr::kDirectory) && longName.empty() &&
                                 orva::isDotName(shortName);
        entries.push_back({name, lookup.empty() ? name : lookup, entry->attributes, entry->firstCluster,
                           ownDotEntry, stampsOf(*entry), entry->size});
    }

    for (const Listed& e : entries) {
        if ((e.attributes & orva::attr::kLabel) || e.dotEntry) continue;
        if (!hostNameUsable(e.name)) {
            result = kItemsLeftOut;
            continue;
        }
        const std::string hostPath = joinHostPath(hostFolder, e.name);
        const ImageFolder item{folder.libraryPath + e.lookupName, joinImagePath(folder.shownPath, e.name)};
        if (e.attributes & orva::attr::kDirectory) {
            if (!platform::makeFolder(hostPath)) {
                view_.showMessage(messageNaming(Message::HostFolderNotMade, hostPath));
                return kFolderNotMade;
            }
            // A folder met again (a hostile image) stays empty instead of being copied round and round.
            if (e.firstCluster >= orva::kFirstDataCluster && listed.insert(e.firstCluster).second) {
                const int32_t r = copyImageTreeToHost(
                    e.firstCluster, {item.libraryPath + "\\", item.shownPath}, hostPath, listed);
                if (r == kItemsLeftOut)
                    result = r;
                else if (r != 0)
                    return r;
            } else {
                view_.showMessage(shownMessage(Message::FolderLeadsBack, {item.shownPath}));
                result = kItemsLeftOut;
            }
            platform::setHostAttributes(hostPath, e.attributes & orva::attr::kCarried);
            setHostTimes(hostPath, e.stamps);  // after everything inside it, which moves them
            continue;
        }
        int32_t copied = 0;
        {
            const auto wait = view_.waitCursor();
            copied = lib_.CopyF(item.libraryPath.c_str(), hostPath.c_str());
        }
        if (copied != orva::result::CopyF::kCopied) {
            if (const auto failure = libraryFailure(copied, kCopyF, item.libraryPath.c_str());
                failure && failure->toShow())
                showNaming(*failure, item.libraryPath);
            return copied;
        }
        platform::setHostAttributes(hostPath, e.attributes & orva::attr::kCarried);
        setHostTimes(hostPath, e.stamps);
        if (!keptWhole(hostPath, e.size, item.shownPath)) result = kItemsLeftOut;
    }
    return result;
}

void BrowserDialog::setHostTimes(const std::string& hostPath, const EntryStamps& stamps) {
    if (!platform::setEntryTimes(hostPath, stamps.writeDate, stamps.writeTime, stamps.accessDate))
        view_.showMessage(messageNaming(Message::TargetNotWritten, platform::shownUtf8(hostPath)));
}

}  // namespace browser
