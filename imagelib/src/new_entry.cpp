// What every export that adds or changes entries shares: naming a new entry, finding its folder, and the
// slots of an existing entry group on disk.
#include "image_state.h"
#include "platform/host_names.h"
#include "platform/text_codec.h"

namespace orva {

std::optional<NewEntry> ImageState::nameNewEntry(std::string_view name, uint32_t dirCluster,
                                                 NameFault& fault) {
    fault = platform::imageNameFault(name);
    if (fault != NameFault::None) return std::nullopt;
    NewEntry e{};
    if (isPlainShortName(name)) {
        e.shortName = storedForm(name);
        return e;
    }
    // Parts are counted in UTF-16 units: a name of multi-byte characters needs no more parts than it fills.
    auto longName = platform::utf8ToUtf16(name);
    const auto alias = longName ? MakeShortAlias(name, dirCluster) : std::nullopt;
    if (!alias) return std::nullopt;
    e.shortName = *alias;
    e.longName = std::move(*longName);
    return e;
}

int32_t ImageState::refusedNameResult(NameFault fault, int32_t badName, int32_t noRoom) {
    switch (fault) {
        case NameFault::None:
            return noRoom;
        case NameFault::TooLong:
            return result::kNameTooLong;
        case NameFault::NotText:
            return result::kNameNotText;
        default:
            return badName;
    }
}

std::optional<uint32_t> ImageState::targetDirectory(std::string_view imagePath) {
    const size_t last = imagePath.rfind('\\');
    if (last == std::string_view::npos) return workDirCluster_;
    if (last == 0) return kRootCluster;
    DirEntry* e = nullptr;
    int32_t slots = 0;
    if (GetFDirEntry(imagePath.substr(0, last), &e, &slots, nullptr) != result::GetFDirEntry::kFound) {
        return std::nullopt;
    }
    // Slots written into a file's clusters would destroy it.
    if (!(e->attributes & attr::kDirectory)) return std::nullopt;
    return folderClusterOf(e->firstCluster);
}

std::optional<std::vector<uint64_t>> ImageState::groupSlotOffsets(const EntryPos& pos, bool& readFailed) {
    readFailed = false;
    std::vector<uint64_t> offsets;
    DirCursor cur = cursorAt(pos.cluster);
    if (cur.cluster == 0 || pos.index >= cur.remaining) return std::nullopt;
    cur.filePos += uint32_t{pos.index} * kSlotBytes;
    cur.remaining -= pos.index;
    for (;;) {
        if (cur.remaining == 0 && nextCluster(cur).kind != ChainLink::Next) return std::nullopt;
        Slot s;
        if (!readImage(cur.filePos, s)) {
            readFailed = true;
            return std::nullopt;
        }
        offsets.push_back(cur.filePos);
        if (!isLongNameAttr(s[kAttributesAt])) return offsets;
        if (offsets.size() > kGroupSlots) return std::nullopt;
        cur.filePos += kSlotBytes;
        --cur.remaining;
    }
}

}  // namespace orva
