// A new boot sector that keeps the image's own disk parameters, and the volume label entry of the root.
#include <algorithm>

#include "boot_sector.h"
#include "image_state.h"

namespace orva {
namespace {

namespace boot_result = result::WriteBoot;
namespace label_result = result::WriteVol;

constexpr std::string_view kNoLabel = "NO NAME";

}  // namespace

int32_t ImageState::WriteBoot(const uint8_t* sector) {
    if (!isOpen()) return boot_result::kNothingOpen;
    if (readOnly_) return boot_result::kReadOnlyImage;
    if (!ensureCurrent()) return boot_result::kChangedOutside;
    if (!sector) return boot_result::kWriteFailed;
    auto& boot = work_->bootSector;
    // Bytes 11..61 describe this disk and stay; the label copy at 43..53 comes from the new sector.
    const std::array<uint8_t, boot::kParamBytes> kept = [&] {
        std::array<uint8_t, boot::kParamBytes> k{};
        std::copy_n(boot.begin(), k.size(), k.begin());
        return k;
    }();
    std::copy_n(sector, boot::signature.offset, boot.begin());
    boot[510] = 0x55;
    boot[511] = 0xAA;
    std::copy(kept.begin() + boot::bytesPerSector.offset, kept.end(),
              boot.begin() + boot::bytesPerSector.offset);
    std::copy_n(sector + boot::volumeLabel.offset, boot::volumeLabel.width,
                boot.begin() + boot::volumeLabel.offset);
    const bool written = writeImage(0, boot);
    return finishWrite() && written ? boot_result::kWritten : boot_result::kWriteFailed;
}

// The boot sector's copy of the label follows the root entry, as other systems keep it, so that the two
// never disagree. Only boot sectors with the extended signature have that field.
bool ImageState::copyLabelToBootSector(std::string_view label) {
    auto& sector = work_->bootSector;
    if (boot::get(sector, boot::extendedSignature) != boot::kExtendedSignatureValue) return true;
    boot::putText(sector, boot::volumeLabel, label.empty() ? kNoLabel : label);
    return writeImage(boot::volumeLabel.offset,
                      std::span(sector).subspan(boot::volumeLabel.offset, boot::volumeLabel.width));
}

int32_t ImageState::WriteVol(std::string_view label) {
    if (!isOpen()) return label_result::kNothingOpen;
    if (readOnly_) return label_result::kReadOnlyImage;
    if (!ensureCurrent()) return label_result::kChangedOutside;
    label = label.substr(0, std::min(label.size(), kLabelBytes));
    if (std::any_of(label.begin(), label.end(), [](char c) {
            const auto b = static_cast<uint8_t>(c);
            return b < 0x20 || b >= 0x80;
        })) {
        return label_result::kBadLabel;
    }
    workDirCluster_ = kRootCluster;

    // The first live slot with exactly the label attribute, up to the first end slot of the root.
    std::optional<uint64_t> at;
    Slot slot{};
    for (int32_t i = 0;; ++i) {
        Slot s;
        if (GetFWDirEntry(i, s.data()) != result::GetFWDirEntry::kRead) break;
        if (s[0] != kDeletedMark && s[kAttributesAt] == attr::kLabel) {
            at = layout_.rootDirOffset() + uint64_t{static_cast<uint32_t>(i)} * kSlotBytes;
            slot = s;
            break;
        }
    }
    bool written = true;
    if (at && label.empty()) {
        const uint8_t deleted[1] = {kDeletedMark};
        written = writeImage(*at, deleted);
    } else if (!label.empty()) {
        if (!at) {
            const SlotRun found = FindFreeSlots(kRootCluster, 1);
            if (found.offsets.empty()) {
                finishWrite();
                return label_result::kNoRootSlot;
            }
            at = found.offsets.front();
            slot = Slot{};
        }
        fillLabelSlot(slot, label, PackDosStamp(stampTimeOf(platform::utcNow())));
        written = writeImage(*at, slot);
    }
    if (written && (at || !label.empty())) written = copyLabelToBootSector(label);
    return finishWrite() && written ? label_result::kDone : label_result::kWriteFailed;
}

}  // namespace orva
