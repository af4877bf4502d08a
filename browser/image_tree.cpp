// Opening an image and listing its whole file system into the image tree.
#include <algorithm>
#include <array>
#include <bit>
#include <set>

#include "browser/browser_dialog.h"
#include "browser/damage_marks.h"
#include "browser/image_item_name.h"
#include "browser/message_table.h"
#include "browser/paths.h"
#include "dir_entry_layout.h"
#include "lookup_name.h"
#include "platform/text_codec.h"
#include "short_name_text.h"

namespace browser {

struct BrowserDialog::PendingFolder {
    ItemHandle item;
    uint16_t cluster;
    std::string path;
    std::string libraryPath;
};

namespace {

using orva::kRootCluster;
namespace attr = orva::attr;
using attr::kDirectory;
// The most slots a directory of a 2.88 MB image can hold; a walk beyond it is going round in circles.
constexpr int kMaxEntriesPerFolder = 2880 * 512 / 32;

// What the tree needs of an entry, copied out before the next library call.
struct Listed {
    std::string name;
    std::string lookupName;
    uint8_t attributes;
    uint16_t firstCluster;
    uint16_t clusterHigh;
    orva::ShortName shortName;
    uint32_t size;
    uint16_t writeDate;
    uint16_t writeTime;
};

Listed capture(const DirEntry* entry, int32_t slotCount) {
    Listed l{imageItemName(entry, slotCount),
             {},
             entry->attributes,
             entry->firstCluster,
             entry->clusterHigh,
             {},
             entry->size,
             entry->writeDate,
             entry->writeTime};
    l.shortName = orva::shortNameOf(*entry);
    l.lookupName = orva::lookupName(l.shortName, longNameOf(entry, slotCount));
    if (l.lookupName.empty()) l.lookupName = l.name;
    return l;
}

bool isLabel(const Listed& l) {
    return l.clusterHigh == 0 && (l.attributes & attr::kKindBits) == attr::kLabel;
}
bool isLoneLongNamePart(const Listed& l) {
    return l.firstCluster == 0 && orva::isLongNameAttr(l.attributes);
}
bool isDotEntry(const Listed& l) {
    return orva::isDotName(l.shortName);
}

}  // namespace

std::string BrowserDialog::imagePathOfItem(ItemHandle item) const {
    return imageTree_.data(item).path;
}

void BrowserDialog::openImage(const std::string& path) {
    const DamageLookup damage = lookUpDamage(path);
    const int32_t opened = lib_.OpenFDImg(path.c_str(), orva::kFirstTableCopy);
    showMessageIfReported(opened, kOpenFDImg);
    if (opened >= orva::result::OpenFDImg::kLonger) {
        showMessageIfReported(lib_.CloseFDImg(), kCloseFDImg);
        openImageFile_.clear();
        imageIsOpen_ = false;
        view_.showMessage(browser::messageText(Message::NotAnImage));
        view_.showOpenImage({});
        return;
    }
    imageIsOpen_ = true;
    imageTree_.clear();
    const auto wait = view_.waitCursor();

    showMessageIfReported(lib_.BlockTestFol(entryCheckFlags_), kBlockTestFol);
    geometry_ = {};
    showMessageIfReported(
        lib_.GetFDType(&geometry_, bootCopy_.data(), static_cast<int32_t>(bootCopy_.size())), kGetFDType);
    lib_.SetFWrkDir("\\");  // the label search below reads the working directory

    std::array<uint8_t, orva::kSlotBytes> slot{};
    bool labelFound = false;
    for (int32_t i = 0; lib_.GetFWDirEntry(i, slot.data()) == orva::result::GetFWDirEntry::kRead; ++i) {
        // A deleted label is not the label: it would come back after being removed.
        if (slot[0] != orva::kDeletedMark && (slot[orva::kAttributesAt] & attr::kKindBits) == attr::kLabel) {
            labelFound = true;
            break;
        }
    }
    const uint8_t* label = labelFound ? slot.data() : bootCopy_.data() + 43;
    volumeLabel_ = labelFound ? std::string(reinterpret_cast<const char*>(slot.data()), orva::kShortNameBytes)
                              : std::string();

    uint32_t freeBytes = 0;
    lib_.FreeSpace(&freeBytes);
    const std::string freeSuffix = desktop::picture::sizeSuffix(freeBytes);

    const int rootImage =
        geometry_.mediaType == 2 || geometry_.mediaType == 5 ? icon::kImage35 : icon::kImageOther;
    shownLabel_ = labelText(label, orva::kShortNameBytes);
    const ItemHandle root = imageTree_.insert(kNoItem, {shownLabel_ + freeSuffix, rootImage, rootImage, {}},
                                              {ItemKind::ImageRoot, "\\", "\\", kRootCluster, kDirectory});

    // Each folder is listed whole before any folder below it, so the library's one enumeration is never
    // interrupted; a folder cluster met twice (a hostile image) is shown but not listed again.
    std::set<uint16_t> listed{kRootCluster};
    std::vector<PendingFolder> pending{{root, kRootCluster, "\\", "\\"}};
    while (!pending.empty()) {
        const PendingFolder folder = pending.back();
        pending.pop_back();
        std::vector<PendingFolder> below = listImageFolder(folder, root, freeSuffix);
        for (auto it = below.rbegin(); it != below.rend(); ++it) {
            if (listed.insert(it->cluster).second) pending.push_back(*it);
        }
    }
    if (damage.source) markDamage(imageTree_, root, *damage.source);
    view_.expandItem(Tree::Image, root);
    imageStamp_ = platform::fileStamp(path);
    view_.showOpenImage(path);
    const std::string problem = damage.problem.str();
    if (!problem.empty() && problem != mapProblemShown_) view_.showMessage(damage.problem);
    mapProblemShown_ = problem;
}

std::vector<BrowserDialog::PendingFolder> BrowserDialog::listImageFolder(const PendingFolder& folder,
                                                                         ItemHandle root,
                                                                         const std::string& freeSuffix) {
    const bool isRoot = folder.cluster == kRootCluster;
    std::vector<Listed> entries;
    for (int n = 0; n < kMaxEntriesPerFolder; ++n) {
        DirEntry* entry = nullptr;
        int32_t slotCount = 0;
        const int32_t r = lib_.FindMInDir(n == 0 ? "*" : "", folder.cluster, &entry, &slotCount);
        if (const auto failure = libraryFailure(r, kFindMInDir)) {
            // A failed check in the root skips its entry; in a folder it ends the folder's listing. The end
            // of the listing (1) is no failure to show.
            if (failure->toShow() && failure->code > 1) {
                view_.showMessage(failedCheckText(*failure, folder.path, isRoot));
                if (isRoot && r == orva::result::FindMInDir::kFoundCheckFailed) continue;
            }
            break;
        }
        entries.push_back(capture(entry, slotCount));
    }

    std::vector<PendingFolder> below;
    for (const Listed& l : entries) {
        if (isRoot && isLabel(l)) {
            shownLabel_ = labelText(l.shortName.data(), l.shortName.size());
            imageTree_.setText(root, shownLabel_ + " " + freeSuffix);
            continue;
        }
        if (isLoneLongNamePart(l) || (!isRoot && isDotEntry(l))) continue;
        const std::string path = joinImagePath(folder.path, l.name);
        const std::string libraryPath = joinImagePath(folder.libraryPath, l.lookupName);
        if (l.attributes & kDirectory) {
            const ItemHandle item =
                imageTree_.insert(folder.item, {l.name, icon::kFolder, icon::kFolderOpen, {}},
                                  {ItemKind::ImageFolder, path, libraryPath, l.firstCluster, l.attributes, 0,
                                   l.writeDate, l.writeTime},
                                  true);
            // Clusters 0 and 1 name the working folder and the root, never a folder of its own.
            if (l.firstCluster >= orva::kFirstDataCluster)
                below.push_back({item, l.firstCluster, path, libraryPath});
            continue;
        }
        imageTree_.insert(folder.item, {l.name, icon::kImageFile, icon::kImageFile, extensionOf(l.name)},
                          {ItemKind::ImageFile, path, libraryPath, l.firstCluster, l.attributes, l.size,
                           l.writeDate, l.writeTime},
                          true);
    }
    return below;
}

void BrowserDialog::onImage(const std::function<void()>& action) {
    if (imageIsOpen_ && platform::fileStamp(openImageFile_) != imageStamp_) {
        refreshImage();
        view_.showMessage(shownMessage(Message::ImageReread, {openImageFile_}));
        return;
    }
    action();
    if (imageIsOpen_) imageStamp_ = platform::fileStamp(openImageFile_);
}

void BrowserDialog::closeImage(bool forgetFile) {
    imageTree_.clear();
    showMessageIfReported(lib_.CloseFDImg(), kCloseFDImg);
    imageIsOpen_ = false;
    if (forgetFile) {
        openImageFile_.clear();
        mapProblemShown_.clear();  // opened anew, an unreadable map is worth saying again
    }
    view_.showOpenImage({});
}

void BrowserDialog::refreshImage() {
    if (imageIsOpen_) closeImage(false);
    openImage(openImageFile_);
}

}  // namespace browser
