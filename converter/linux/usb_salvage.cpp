// A USB floppy's cylinder read in a rescue: READ(10) through SG_IO, whose sense data names the first block
// that failed, so the blocks around it are read in the same pass instead of one request per sector later.
#include <deque>

#include "linux/linux_floppy.h"
#include "linux/ufi_commands.h"

namespace converter::linux_floppy {
bool LinuxFloppy::readBlocks(Opened& drive, uint32_t lba, std::span<uint8_t> data, uint32_t bytesPerBlock,
                             std::optional<uint32_t>& failingBlock) {
    failingBlock.reset();
    std::array<uint8_t, 18> sense{};
    if (scsi(drive, read10Cdb(lba, static_cast<uint16_t>(data.size() / bytesPerBlock)), SgDirection::FromDevice,
             data, nullptr, sense))
        return true;
    // Fixed-format sense: the information field holds the failing block only when VALID (bit 7) is set.
    if ((sense[0] & 0x7E) == 0x70 && (sense[0] & 0x80) != 0) failingBlock = loadBe32(sense, 3);
    return false;
}

uint32_t LinuxFloppy::ReadSectorsAround(FloppyHandle handle, std::span<uint8_t> buffer, int floppyDrive,
                                        ByteOffset byteOffset, uint32_t bytesPerSector, std::vector<bool>& good) {
    Opened* drive = find(handle);
    if (drive == nullptr || drive->device.backEnd != DriveBackEnd::UsbFloppy || bytesPerSector == 0)
        return FloppyAccess::ReadSectorsAround(handle, buffer, floppyDrive, byteOffset, bytesPerSector, good);
    const uint32_t sectors = static_cast<uint32_t>(buffer.size() / bytesPerSector);
    const uint32_t first = byteOffset.value / bytesPerSector;
    good.assign(sectors, false);
    uint32_t requests = 0;
    // Runs still to read, as [begin, end) within the buffer. Each failure takes one sector out of its
    // run, so this ends after at most twice as many requests as there are sectors.
    std::deque<std::pair<uint32_t, uint32_t>> runs{{0, sectors}};
    while (!runs.empty()) {
        const auto [begin, end] = runs.front();
        runs.pop_front();
        const auto part = buffer.subspan(size_t{begin} * bytesPerSector, size_t{end - begin} * bytesPerSector);
        std::optional<uint32_t> failing;
        ++requests;
        if (readBlocks(*drive, first + begin, part, bytesPerSector, failing)) {
            std::fill(good.begin() + begin, good.begin() + end, true);
            continue;
        }
        // Without a block named inside the run there is nothing to split on: its sectors wait for the
        // single-sector pass.
        if (!failing || *failing < first + begin || *failing >= first + end) continue;
        const uint32_t bad = *failing - first;
        if (bad > begin) runs.emplace_back(begin, bad);
        if (bad + 1 < end) runs.emplace_back(bad + 1, end);
    }
    return requests;
}

bool LinuxFloppy::rezeroUsb(Opened& drive) {
    if (drive.rezeroRefused) return fail(ERROR_NOT_SUPPORTED);
    if (scsi(drive, kRezeroUnit, SgDirection::None, {})) return true;
    // Many UFI drives know no REZERO UNIT, and sd lets only root send it where its filter lacks it; asking
    // again each round would only cost time.
    if (lastError_ == ERROR_INVALID_PARAMETER || lastError_ == ERROR_ACCESS_DENIED) {
        drive.rezeroRefused = true;
        return fail(ERROR_NOT_SUPPORTED);
    }
    return false;
}

}  // namespace converter::linux_floppy
