#include "bootsectors/empty_image.h"

#include <algorithm>
#include <span>

#include "boot_sector.h"
#include "bootsectors/boot_templates.h"
#include "dir_slot.h"
#include "dos_time.h"
#include "platform/clock.h"
#include "platform/host_file.h"

namespace bootsectors {
namespace {

namespace boot = orva::boot;

constexpr std::string_view kNoLabel = "__NO_NAME__";
constexpr uint64_t kBlockBytes = 512;
// A floppy image goes out in a couple of dozen writes rather than thousands of sector-sized ones.
constexpr size_t kChunkBytes = 64 * 1024;
constexpr std::array<uint8_t, kChunkBytes> kZeros{};

bool writeBootAndZeros(platform::RandomAccessFile& file, std::span<const uint8_t> sector, uint64_t imageBytes) {
    if (file.writeAt(0, sector) != static_cast<int64_t>(sector.size())) return false;
    for (uint64_t at = sector.size(); at < imageBytes;) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(kChunkBytes, imageBytes - at));
        if (file.writeAt(at, std::span(kZeros).first(n)) != static_cast<int64_t>(n)) return false;
        at += n;
    }
    return true;
}

orva::CalendarTime toCalendar(const platform::UtcTime& t) {
    return {t.year, t.month, t.day, t.hour, t.minute, t.second};
}

}  // namespace

int CreateEmptyImage(int templateId, const std::string& path, const std::string& label) {
    auto sector = bootTemplate(templateId);
    if (!sector) return kImageNotCreated;
    boot::putText(*sector, boot::volumeLabel, label.empty() ? kNoLabel : std::string_view(label));

    DirEntry entry{};
    const auto labelBytes = std::span(*sector).subspan(boot::volumeLabel.offset, boot::volumeLabel.width);
    std::copy_n(labelBytes.begin(), sizeof entry.name, entry.name);
    std::copy_n(labelBytes.begin() + sizeof entry.name, sizeof entry.extension, entry.extension);
    entry.attributes = orva::attr::kLabel;

    int error = 0;
    auto file = platform::createExclusive(path, error);
    if (!file) return kImageNotCreated;

    const uint64_t bytesPerSector = boot::get(*sector, boot::bytesPerSector);
    const uint64_t sectorsPerFat = boot::get(*sector, boot::sectorsPerFat);
    const uint64_t imageBytes = boot::get(*sector, boot::totalSectors) * bytesPerSector / kBlockBytes * kBlockBytes;
    if (!writeBootAndZeros(*file, *sector, imageBytes)) {
        file->close();
        return kImageWriteFailed;
    }

    // The table stays all zero but for the two reserved entries, so every cluster is free. Like the label
    // entry below, these writes are not checked: the image is complete without them being readable.
    const std::array<uint8_t, 3> reservedEntries{static_cast<uint8_t>(boot::get(*sector, boot::mediaByte)), 0xFF,
                                                 0xFF};
    const uint64_t firstFat =
        (boot::get(*sector, boot::reservedSectors) + boot::get(*sector, boot::hiddenSectors)) * bytesPerSector;
    file->writeAt(firstFat, reservedEntries);
    file->writeAt(firstFat + sectorsPerFat * bytesPerSector, reservedEntries);

    if (!label.empty()) {
        const uint32_t stamp = orva::PackDosStamp(toCalendar(platform::utcNow()));
        entry.writeTime = orva::stampTime(stamp);
        entry.writeDate = orva::stampDate(stamp);
        file->writeAt(firstFat + 2 * sectorsPerFat * bytesPerSector, orva::slotBytes(entry));
    }

    // The zeros are what the caller was told were written; a failure surfacing only here still counts.
    const bool synced = file->syncData();
    file->close();
    return synced ? kImageCreated : kImageWriteFailed;
}

}  // namespace bootsectors
