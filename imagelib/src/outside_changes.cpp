// Another program writing into the open image: mtools takes no lock on an image file, so ours cannot keep it
// out. What the library holds of the image is checked against the disk before every change.
#include <algorithm>

#include "image_state.h"

namespace orva {

uint64_t ImageState::tableOffset() const {
    return layout_.fatOffset + (fatFromSecondCopy_ ? uint64_t{layout_.fatBytes} : 0);
}

bool ImageState::ensureCurrent() {
    // Directories are read from the disk anyway; only the last block read may be stale.
    cache_ = ReadCache();
    auto& boot = work_->bootSector;
    std::array<uint8_t, 512> sector{};
    // A boot sector that cannot be read is left to the change itself, whose own reads fail the same way.
    if (imageFile_->readAt(0, sector) != static_cast<int64_t>(sector.size())) return true;
    // Offsets of every area follow from these: a change there leaves nothing we know in place.
    if (!(BootParams::parse(sector) == BootParams::parse(boot))) return false;
    boot = sector;  // a new label or boot code: what GetFDType and WriteBoot build on
    if (const auto size = imageFile_->size()) fileBytes_ = *size;

    std::vector<uint8_t> table(layout_.fatBytes, 0);
    imageFile_->readAt(tableOffset(), table);
    if (std::equal(table.begin(), table.end(), fat_.bytes().begin(), fat_.bytes().end())) return true;
    // Never a change from a table that no longer is the disk's: the other program's clusters would be ours.
    fat_ = FatTable(std::move(table), layout_.clusterLimit);
    freeClusters_ = fat_.countFree();
    return true;
}

}  // namespace orva
