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
    bool dotEntry;
    EntryStamps stamps;
};

}  // namespace

bool BrowserDialog::hostNameUsable(const std::string& name) {
    if (platform::hostNameProblem(name).empty()) return true;
    std::string shown = name;
    for (char& c : shown) {
        if (c == '\0') c = '?';
    }
    view_.showMessage(formatMessage(Message::UnusableHostName, {shown}));
    return false;
}

void BrowserDialog::onCopyToHost() {
    onImage(&BrowserDialog::transferToHost);
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
    const ItemData source = imageTree_.data(imageItem);
    int32_t result = 0;
    if (source.kind == ItemKind::ImageFile) {
        result = copyImageFileToHost(imageItem, target.path);
        if (result < 0) return;  // a name the host cannot take, already said
        if (const auto failure = libraryFailure(result, kCopyF, source.libraryPath.c_str());
            failure && failure->toShow()) {
            view_.showMessage(failure->text);
            return;
        }
    } else {
        if (!view_.askYesNo(browser::messageText(Message::CopyWholeTree))) return;
        const auto wait = view_.waitCursor();
        const bool isRoot = source.kind == ItemKind::ImageRoot;
        std::string label = shownLabel_;
        label.erase(label.find_last_not_of(' ') + 1);
        if (label.empty()) label = kNoLabel;
        const std::string name = isRoot ? label : imageTree_.text(imageItem);
        if (!hostNameUsable(name)) return;
        const std::string targetFolder = joinHostPath(target.path, name);
        const std::string imageFolder = isRoot ? "\\" : source.libraryPath + "\\";
        if (platform::inspectPath(targetFolder).exists) {
            view_.showMessage(browser::messageText(Message::ExistsInTarget));
            return;
        }
        DirEntry* entry = nullptr;
        int32_t slots = 0;
        if (const int32_t r = lib_.GetFDirEntry(imageFolder.c_str(), &entry, &slots, nullptr);
            r != orva::result::GetFDirEntry::kFound) {
            showMessageIfReported(r, kGetFDirEntry);
            return;
        }
        const uint16_t cluster = entry->firstCluster;
        if (!platform::makeFolder(targetFolder)) {
            view_.showMessage(browser::messageText(Message::HostFolderNotMade));
            return;
        }
        if (isRoot) {
            if (!hostNameUsable(label + ".BOT") || !writeBootFile(joinHostPath(targetFolder, label + ".BOT")))
                return;
        }
        std::set<uint16_t> listed{cluster};
        result = copyImageTreeToHost(cluster, imageFolder, targetFolder, listed);
    }
    rebuildHostTree();
    // Back to where the copy went, instead of a tree folded up to its drive.
    if (const ItemHandle again = findHostItem(target.path); again != kNoItem)
        view_.selectItem(Tree::Host, again);
    if (result == 0) showResultBox();
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
        view_.showMessage(browser::messageText(Message::TargetNotWritten) + ": " + path);
    return written;
}

int32_t BrowserDialog::copyImageFileToHost(ItemHandle imageItem, const std::string& hostFolder) {
    const std::string name = imageTree_.text(imageItem);
    if (!hostNameUsable(name)) return -1;
    const std::string hostFile = joinHostPath(hostFolder, name);
    const std::string imagePath = imageTree_.data(imageItem).libraryPath;
    const auto wait = view_.waitCursor();
    const int32_t result = lib_.CopyF(imagePath.c_str(), hostFile.c_str());
    DirEntry* entry = nullptr;
    int32_t slots = 0;
    if (result == orva::result::CopyF::kCopied &&
        lib_.GetFDirEntry(imagePath.c_str(), &entry, &slots, nullptr) == orva::result::GetFDirEntry::kFound) {
        const EntryStamps stamps = stampsOf(*entry);
        platform::setHostAttributes(hostFile, entry->attributes & orva::attr::kCarried);
        setHostTimes(hostFile, stamps);
    }
    return result;
}

int32_t BrowserDialog::copyImageTreeToHost(uint16_t cluster, const std::string& imageFolder,
                                           const std::string& hostFolder, std::set<uint16_t>& listed) {
    if (!platform::inspectPath(hostFolder).directory) {
        view_.showMessage(browser::messageText(Message::NoRoomForEntries) + ": " + hostFolder);
        return kHostFolderUnreadable;
    }
    if (const int r = enterImageFolder(imageFolder); r != 0) return r;
    // The whole folder is read before anything below it: the library has one enumeration, which the
    // folders below would take over.
    std::vector<Listed> entries;
    DirEntry* entry = nullptr;
    int32_t slots = 0;
    for (int32_t r = lib_.FindMInDir("*", cluster, &entry, &slots); r == orva::result::FindMInDir::kFound;
         r = lib_.FindMInDir("", cluster, &entry, &slots)) {
        const orva::ShortName shortName = orva::shortNameOf(*entry);
        const std::string longName = longNameOf(entry, slots);
        std::string lookup = orva::lookupName(shortName, longName);
        const std::string name = imageItemName(entry, slots);
        entries.push_back({name, lookup.empty() ? name : lookup, entry->attributes, entry->firstCluster,
                           longName.empty() && shortName[0] == '.', stampsOf(*entry)});
    }

    for (const Listed& e : entries) {
        if ((e.attributes & orva::attr::kLabel) || e.dotEntry) continue;
        if (!hostNameUsable(e.name)) continue;
        const std::string hostPath = joinHostPath(hostFolder, e.name);
        const std::string imagePath = imageFolder + e.lookupName;
        if (e.attributes & orva::attr::kDirectory) {
            if (!platform::makeFolder(hostPath)) {
                view_.showMessage(browser::messageText(Message::HostFolderNotMade) + ": " + hostPath);
                return kFolderNotMade;
            }
            // A folder met again (a hostile image) stays empty instead of being copied round and round.
            if (e.firstCluster >= orva::kFirstDataCluster && listed.insert(e.firstCluster).second) {
                if (const int32_t r = copyImageTreeToHost(e.firstCluster, imagePath + "\\", hostPath, listed);
                    r != 0)
                    return r;
            }
            platform::setHostAttributes(hostPath, e.attributes & orva::attr::kCarried);
            setHostTimes(hostPath, e.stamps);  // after everything inside it, which moves them
            continue;
        }
        int32_t copied = 0;
        {
            const auto wait = view_.waitCursor();
            copied = lib_.CopyF(imagePath.c_str(), hostPath.c_str());
        }
        if (copied != orva::result::CopyF::kCopied) {
            if (const auto failure = libraryFailure(copied, kCopyF, imagePath.c_str());
                failure && failure->toShow())
                showNaming(*failure, imagePath);
            return copied;
        }
        platform::setHostAttributes(hostPath, e.attributes & orva::attr::kCarried);
        setHostTimes(hostPath, e.stamps);
    }
    return 0;
}

void BrowserDialog::setHostTimes(const std::string& hostPath, const EntryStamps& stamps) {
    if (!platform::setEntryTimes(hostPath, stamps.writeDate, stamps.writeTime, stamps.accessDate))
        view_.showMessage(browser::messageText(Message::TargetNotWritten) + ": " +
                          platform::shownUtf8(hostPath));
}

}  // namespace browser
