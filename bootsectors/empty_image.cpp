#include "bootsectors/empty_image.h"

#include <algorithm>

#include "boot_sector.h"
#include "bootsectors/boot_templates.h"
#include "dir_slot.h"
#include "dos_time.h"
#include "entry_group.h"
#include "platform/clock.h"
#include "platform/host_file.h"

namespace bootsectors {
namespace {

namespace boot = orva::boot;

constexpr std::string_view kNoLabel = "__NO_NAME__";
constexpr uint64_t kBlockBytes = 512;

}  // namespace

std::optional<std::vector<uint8_t>> emptyFileSystemStart(TemplateId templateId, const std::string& label) {
    auto sector = bootTemplate(templateId);
    if (!sector) return std::nullopt;
    boot::putText(*sector, boot::volumeLabel, label.empty() ? kNoLabel : std::string_view(label));
    const uint64_t bytesPerSector = boot::get(*sector, boot::bytesPerSector);
    const uint64_t sectorsPerFat = boot::get(*sector, boot::sectorsPerFat);
    const uint64_t firstFat =
        (boot::get(*sector, boot::reservedSectors) + boot::get(*sector, boot::hiddenSectors)) *
        bytesPerSector;
    std::vector<uint8_t> start(firstFat + 2 * sectorsPerFat * bytesPerSector, 0);
    std::copy(sector->begin(), sector->end(), start.begin());
    // The tables stay all zero but for the two reserved entries, so every cluster is free.
    const std::array<uint8_t, 3> reservedEntries{static_cast<uint8_t>(boot::get(*sector, boot::mediaByte)),
                                                 0xFF, 0xFF};
    std::copy(reservedEntries.begin(), reservedEntries.end(),
              start.begin() + static_cast<std::ptrdiff_t>(firstFat));
    std::copy(reservedEntries.begin(), reservedEntries.end(),
              start.begin() + static_cast<std::ptrdiff_t>(firstFat + sectorsPerFat * bytesPerSector));
    return start;
}

std::vector<uint8_t> labelEntry(const std::string& label) {
    if (label.empty()) return {};
    orva::Slot slot{};
    orva::fillLabelSlot(slot, label, orva::PackDosStamp(orva::stampTimeOf(platform::utcNow())));
    return {slot.begin(), slot.end()};
}

int CreateEmptyImage(TemplateId templateId, const std::string& path, const std::string& label) {
    const auto start = emptyFileSystemStart(templateId, label);
    const auto params = templateParams(templateId);
    if (!start || !params) return kImageNotCreated;

    int error = 0;
    auto file = platform::createExclusive(path, error);
    if (!file) return kImageNotCreated;

    const uint64_t imageBytes =
        uint64_t{params->totalSectors} * params->bytesPerSector / kBlockBytes * kBlockBytes;
    // The zeros come from sizing the file: nothing but the boot sector, the tables' first bytes and the
    // label need writing.
    const std::vector<uint8_t> entry = labelEntry(label);
    if (file->writeAt(0, *start) != static_cast<int64_t>(start->size()) || !file->setSize(imageBytes) ||
        (!entry.empty() && file->writeAt(start->size(), entry) != static_cast<int64_t>(entry.size()))) {
        file->close();
        return kImageWriteFailed;
    }

    // A new image holds nothing yet that a crash could lose, so there is no ordering point to wait for; a
    // write error the system reports only at close still counts.
    return file->close() ? kImageCreated : kImageWriteFailed;
}

}  // namespace bootsectors
