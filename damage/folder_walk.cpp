#include "damage/folder_walk.h"

#include <bit>
#include <deque>
#include <set>

#include "damage/read_only_open.h"
#include "dir_entry_layout.h"
#include "entry_attributes.h"
#include "image_state.h"
#include "library_codes.h"
#include "long_name_text.h"
#include "platform/text_codec.h"
#include "short_name_text.h"

namespace damage {
namespace {

namespace found = orva::result::FindMInDir;

// More entries than a floppy folder can hold: an enumeration that gets there is not ending.
constexpr size_t kMaxEntries = 65536;

std::string nameOf(const DirEntry* entry, int32_t slotCount) {
    std::string name = platform::utf16ToUtf8(orva::longNameUnits(entry, slotCount));
    return name.empty() ? orva::storedShortName(orva::shortNameOf(*entry)) : name;
}

}  // namespace

std::optional<std::vector<WalkedItem>> walkFolders(const std::string& imagePath, int32_t& openResult) {
    orva::ImageState image(openForReading);
    openResult = image.OpenFDImg(imagePath, orva::kFirstTableCopy);
    if (openResult >= orva::result::OpenFDImg::kLonger) return std::nullopt;

    std::vector<WalkedItem> items;
    std::deque<std::pair<std::string, int32_t>> folders{{"", orva::kRootCluster}};
    std::set<int32_t> walked{orva::kRootCluster};
    while (!folders.empty()) {
        const auto [folder, cluster] = folders.front();
        folders.pop_front();
        DirEntry* entry = nullptr;
        int32_t slots = 0;
        size_t count = 0;
        for (int32_t r = image.FindMInDir("*", cluster, &entry, &slots);
             (r == found::kFound || r == found::kFoundCheckFailed) && ++count < kMaxEntries;
             r = image.FindMInDir("", cluster, &entry, &slots)) {
            if (orva::isDotName(orva::shortNameOf(*entry)) || (entry->attributes & orva::attr::kLabel))
                continue;
            const bool isFolder = entry->attributes & orva::attr::kDirectory;
            WalkedItem item{folder + "\\" + nameOf(entry, slots), entry->firstCluster, entry->size, isFolder};
            const int32_t sub = orva::folderClusterOf(entry->firstCluster);
            if (isFolder && walked.insert(sub).second) folders.emplace_back(item.path, sub);
            items.push_back(std::move(item));
        }
    }
    image.CloseFDImg();
    return items;
}

}  // namespace damage
