#include "emulation/emulated_vwin32.h"

#include <algorithm>
#include <cctype>

#include "boot_sector.h"
#include "win9x/device_params.h"
#include "win9x/disk_io.h"
#include "text_compare.h"
#include "media_types.h"

namespace converter::emulation {

using win9x::DEVICEPARAMS;
using win9x::DIOC_REGISTERS;
using win9x::DISKIO;
namespace boot = orva::boot;

namespace {

// DOS error codes a failed IOCTL leaves in AX.
constexpr uint32_t kDosInvalidFunction = 0x01;
constexpr uint32_t kDosAccessDenied = 0x05;
constexpr uint32_t kDosInvalidDrive = 0x0F;
constexpr uint32_t kDosNotReady = 0x15;
constexpr uint32_t kDosGeneralFailure = 0x1F;
constexpr uint32_t kDosVolumeNotLocked = 0xB0;

void answer(DIOC_REGISTERS& r, bool carry, uint32_t ax) {
    uint32_t flags = r.get(DIOC_REGISTERS::reg_Flags) & ~DIOC_REGISTERS::kCarry;
    if (carry) {
        flags |= DIOC_REGISTERS::kCarry;
        r.set(DIOC_REGISTERS::reg_EAX, (r.get(DIOC_REGISTERS::reg_EAX) & 0xFFFF0000) | ax);
    }
    r.set(DIOC_REGISTERS::reg_Flags, flags);
}

// The BIOS parameter block DOS builds for a format when the floppy's own boot sector says nothing usable.
void standardBpb(const FloppyFormat& f, std::span<uint8_t> sector) {
    const DiskGeometry& g = f.geometry;
    boot::put(sector, boot::bytesPerSector, g.bytesPerSector);
    boot::put(sector, boot::sectorsPerCluster, f.sectorsPerCluster);
    boot::put(sector, boot::reservedSectors, 1);
    boot::put(sector, boot::fatCount, 2);
    boot::put(sector, boot::rootEntries, f.rootEntries);
    boot::put(sector, boot::totalSectors,
              static_cast<uint32_t>(mediumSectors(g)));
    boot::put(sector, boot::mediaByte, f.mediaByte);
    boot::put(sector, boot::sectorsPerFat, f.sectorsPerFat);
    boot::put(sector, boot::sectorsPerTrack, g.sectorsPerTrack);
    boot::put(sector, boot::heads, g.tracksPerCylinder);
}

}  // namespace

Win32Handle EmulatedVwin32::CreateFileA(std::string_view name, uint32_t, uint32_t, uint32_t, uint32_t) {
    if (!sameTextIgnoringCase(name, win9x::kVwin32DeviceName)) {
        lastError_ = ERROR_FILE_NOT_FOUND;
        return INVALID_HANDLE_VALUE;
    }
    handles_.insert(nextHandle_);
    return Win32Handle{nextHandle_++};
}

bool EmulatedVwin32::CloseHandle(Win32Handle handle) {
    if (handles_.erase(static_cast<int64_t>(handle)) == 0) return fail(ERROR_INVALID_HANDLE);
    drive_.releaseLock(static_cast<uint64_t>(handle));
    return true;
}

bool EmulatedVwin32::DeviceIoControl(Win32Handle handle, uint32_t code, std::span<const uint8_t> in,
                                     std::span<uint8_t> out, uint32_t& bytesReturned,
                                     const win9x::LinearMemory& memory) {
    bytesReturned = 0;
    if (!handles_.contains(static_cast<int64_t>(handle))) return fail(ERROR_INVALID_HANDLE);
    if (code < win9x::VWIN32_DIOC_DOS_IOCTL || code > win9x::VWIN32_DIOC_DOS_INT26)
        return fail(ERROR_NOT_SUPPORTED);
    if (in.size() < DIOC_REGISTERS::kBytes || out.size() < DIOC_REGISTERS::kBytes) {
        return fail(ERROR_INVALID_PARAMETER);
    }
    DIOC_REGISTERS r;
    std::copy_n(in.begin(), DIOC_REGISTERS::kBytes, r.bytes.begin());
    // A drive that never answers leaves the registers as they came, carry and all.
    if (!drive_.noAnswer()) {
        const bool reached = code == win9x::VWIN32_DIOC_DOS_IOCTL
                                 ? dosIoctl(handle, r, memory)
                                 : absolute(code == win9x::VWIN32_DIOC_DOS_INT26, r, memory);
        if (!reached) return fail(ERROR_NOACCESS);
    }
    std::copy(r.bytes.begin(), r.bytes.end(), out.begin());
    bytesReturned = DIOC_REGISTERS::kBytes;
    return true;
}

bool EmulatedVwin32::dosIoctl(Win32Handle handle, DIOC_REGISTERS& r, const win9x::LinearMemory& memory) {
    const uint32_t ax = r.get(DIOC_REGISTERS::reg_EAX) & 0xFFFF;
    const uint32_t cx = r.get(DIOC_REGISTERS::reg_ECX) & 0xFFFF;
    const uint32_t bl = r.get(DIOC_REGISTERS::reg_EBX) & 0xFF;
    if (ax != 0x440D || (cx >> 8) != 0x08) {
        answer(r, true, kDosInvalidFunction);
        return true;
    }
    if (bl != static_cast<uint32_t>(floppyDrive_)) {
        answer(r, true, kDosInvalidDrive);
        return true;
    }
    const auto owner = static_cast<uint64_t>(handle);
    switch (cx & 0xFF) {
        case 0x60: {
            const auto block =
                memory.reachWritable(r.get(DIOC_REGISTERS::reg_EDX), DEVICEPARAMS::kAnsweredBytes);
            if (!block) return false;
            const bool current = ((*block)[0] & 1) != 0;
            if (current && !drive_.hasMedium()) {
                answer(r, true, kDosNotReady);
            } else if (current && !drive_.mediumGeometry()) {
                answer(r, true, kDosGeneralFailure);
            } else {
                deviceParams(current, *block);
                answer(r, false, 0);
            }
            return true;
        }
        case 0x4A:
            drive_.lock(owner) ? answer(r, false, 0) : answer(r, true, kDosAccessDenied);
            return true;
        case 0x6A:
            drive_.unlock(owner) ? answer(r, false, 0) : answer(r, true, kDosVolumeNotLocked);
            return true;
        default:
            answer(r, true, kDosInvalidFunction);
            return true;
    }
}

void EmulatedVwin32::deviceParams(bool currentMedium, std::span<uint8_t> block) {
    const DriveKindInfo& info = drive_.info();
    const FloppyFormat* own = formatForType(info.mediaTypes.front());
    const FloppyFormat* format = own;
    std::vector<uint8_t> sector(boot::kSectorBytes, 0);
    bool fromBoot = false;
    if (currentMedium) {
        format = formatForType(drive_.mediumGeometry()->mediaType);
        // DOS takes the floppy's own parameter block when its boot sector has a believable one.
        if (auto bootSector = drive_.bootSector(); bootSector && bootSector->size() >= boot::kSectorBytes) {
            if (boot::get(*bootSector, boot::bytesPerSector) == drive_.mediumGeometry()->bytesPerSector &&
                boot::get(*bootSector, boot::mediaByte) >= 0xF0) {
                std::copy_n(bootSector->begin(), boot::kSectorBytes, sector.begin());
                fromBoot = true;
            }
        }
    }
    if (!fromBoot && format) standardBpb(*format, sector);

    std::fill(block.begin() + 1, block.end(), 0);
    auto put = [&](Field f, uint32_t value) { orva::storeLe(block, f.offset, f.width, value); };
    put(DEVICEPARAMS::dpDevType, info.dosDeviceType);
    put(DEVICEPARAMS::dpDevAttr, info.kind == DriveKind::Floppy525DD ? 0 : 2);  // 2: the drive sees a change
    put(DEVICEPARAMS::dpCylinders, info.cylinders);
    put(DEVICEPARAMS::dpMediaType, format == own ? 0 : 1);  // 1: a lower density than the drive's own
    const size_t bpbBytes = boot::largeSectors.end() - boot::bytesPerSector.offset;
    std::copy_n(sector.begin() + boot::bytesPerSector.offset, bpbBytes,
                block.begin() + DEVICEPARAMS::dpBPB.offset);
}

bool EmulatedVwin32::absolute(bool write, DIOC_REGISTERS& r, const win9x::LinearMemory& memory) {
    if ((r.get(DIOC_REGISTERS::reg_ECX) & 0xFFFF) != 0xFFFF) {
        answer(r, true, static_cast<uint32_t>(DriveStatus::BadCommand) << 8);
        return true;
    }
    if ((r.get(DIOC_REGISTERS::reg_EAX) & 0xFF) != static_cast<uint32_t>(floppyDrive_ - 1)) {
        answer(r, true, (static_cast<uint32_t>(DriveStatus::BadCommand) << 8) | 0x01);  // AL 1: unknown unit
        return true;
    }
    const auto packetBytes = memory.reach(r.get(DIOC_REGISTERS::reg_EBX), DISKIO::kBytes);
    if (!packetBytes) return false;
    DISKIO packet;
    std::copy(packetBytes->begin(), packetBytes->end(), packet.bytes.begin());

    const auto fault = [&](DriveStatus status) { answer(r, true, static_cast<uint32_t>(status) << 8); };
    if (!drive_.hasMedium()) {
        fault(DriveStatus::NotReady);
        return true;
    }
    const auto geometry = drive_.mediumGeometry();
    if (!geometry) {
        fault(DriveStatus::AddressMarkNotFound);
        return true;
    }
    const uint32_t first = packet.get(DISKIO::dwStartSector);
    const uint32_t bytes = packet.get(DISKIO::wSectors) * geometry->bytesPerSector;
    const uint32_t address = packet.get(DISKIO::dwBuffer);
    Transfer done{};
    if (write) {
        const auto data = memory.reach(address, bytes);
        if (!data) return false;
        done = drive_.write(first, *data);
    } else {
        const auto data = memory.reachWritable(address, bytes);
        if (!data) return false;
        done = drive_.read(first, *data);
    }
    done.status == DriveStatus::Ok ? answer(r, false, 0) : fault(done.status);
    return true;
}

}  // namespace converter::emulation
