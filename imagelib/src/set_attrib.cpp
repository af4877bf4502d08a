// Changing the read-only, hidden, system and archive bits of an entry in place.
#include <algorithm>

#include "image_state.h"

namespace orva {
namespace {

using namespace result::SetAttrib;

}  // namespace

int32_t ImageState::SetAttrib(std::string_view path, uint8_t attributes) {
    if (!isOpen()) return kNothingOpen;
    if (readOnly_) return kReadOnlyImage;
    if (!ensureCurrent()) return kChangedOutside;
    if (path.empty()) return kNotFound;
    if (path == "\\") return kIsRoot;
    DirEntry* e = nullptr;
    int32_t slots = 0;
    switch (GetFDirEntry(path, &e, &slots, nullptr)) {
        case result::GetFDirEntry::kFound:
            break;
        case result::GetFDirEntry::kNotAFolder:
            return kNotAFolder;
        case result::GetFDirEntry::kEmptyName:
            return kEmptyName;
        default:
            return kNotFound;
    }
    DirEntry entry = *e;
    entry.attributes =
        static_cast<uint8_t>((entry.attributes & ~attr::kCarried) | (attributes & attr::kCarried));
    // The 8.3 entry follows the group's long-name parts; it must still be the entry that was found.
    bool readFailed = false;
    const auto offsets = groupSlotOffsets(lastGroupStart_, readFailed);
    if (!offsets) return kSlotFailed;
    const Slot s = slotBytes(entry);
    Slot onDisk;
    if (!readImage(offsets->back(), onDisk) ||
        !std::equal(onDisk.begin(), onDisk.begin() + kShortNameBytes, s.begin())) {
        return kSlotFailed;
    }
    const bool written = writeImage(offsets->back(), s);
    return finishWrite() && written ? kSet : kSlotFailed;
}

}  // namespace orva
