#include "win9x/win9x_floppy.h"

#include "diagnostic_text.h"
#include "geometry_derivation.h"
#include "platform/aligned_buffer.h"
#include "win9x/disk_io.h"

namespace converter::win9x {
namespace {

constexpr uint32_t kDosIoctl = 0x440D;
constexpr uint32_t kGetDeviceParams = 0x0860;
constexpr uint32_t kLockVolume = 0x084A;
constexpr uint32_t kUnlockVolume = 0x086A;
constexpr uint32_t kPacketForm = 0xFFFF;  // CX of an absolute request whose DISKIO packet says the rest
constexpr uint8_t kBiosWriteProtected = 3;
constexpr uint32_t kDiagnosticSectorBytes = 512;

// DOS would take drive 0 for the current drive, which need not be a floppy at all.
bool validDrive(int floppyDrive) {
    return floppyDrive >= 1 && floppyDrive <= 26;
}

}  // namespace

FloppyHandle Win9xFloppy::OpenDrive(std::string_view) {
    // One device for every drive; the drive goes with each request.
    const FloppyHandle handle =
        seam_.CreateFileA(kVwin32DeviceName, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, 0);
    if (handle == INVALID_HANDLE_VALUE) lastError_ = seam_.GetLastError();
    return handle;
}

bool Win9xFloppy::CloseDrive(FloppyHandle handle) {
    return seam_.CloseHandle(handle) || fail(seam_.GetLastError());
}

Win9xFloppy::Answer Win9xFloppy::send(FloppyHandle handle, uint32_t code, DIOC_REGISTERS& registers) {
    uint32_t returned = 0;
    if (!seam_.DeviceIoControl(handle, code, registers.span(), registers.span(), returned, memory_)) {
        lastError_ = seam_.GetLastError();
        return Answer::CallFailed;
    }
    return registers.carry() ? Answer::Carry : Answer::Done;
}

bool Win9xFloppy::dosIoctl(FloppyHandle handle, int floppyDrive, uint32_t request, uint32_t edx,
                           bool presetCarry) {
    if (!validDrive(floppyDrive)) return fail(ERROR_INVALID_PARAMETER);
    DIOC_REGISTERS r;
    r.set(DIOC_REGISTERS::reg_EAX, kDosIoctl);
    r.set(DIOC_REGISTERS::reg_EBX,
          static_cast<uint32_t>(floppyDrive));  // BH = 0: lock level 0 where it counts
    r.set(DIOC_REGISTERS::reg_ECX, request);
    r.set(DIOC_REGISTERS::reg_EDX, edx);
    if (presetCarry) r.set(DIOC_REGISTERS::reg_Flags, DIOC_REGISTERS::kCarry);
    switch (send(handle, VWIN32_DIOC_DOS_IOCTL, r)) {
        case Answer::Done:
            return true;
        case Answer::Carry:
            return fail(r.get(DIOC_REGISTERS::reg_EAX) & 0xFFFF);  // the DOS error code
        case Answer::CallFailed:
            return false;
    }
    return false;
}

bool Win9xFloppy::getDeviceParams(FloppyHandle handle, int floppyDrive, uint8_t specialFunctions,
                                  DEVICEPARAMS& params) {
    if (!validDrive(floppyDrive)) return fail(ERROR_INVALID_PARAMETER);
    params = {};
    params.set(DEVICEPARAMS::dpSpecFunc, specialFunctions);
    auto block = memory_.map(params.span());
    if (!block) return fail(ERROR_NOT_ENOUGH_MEMORY);
    return dosIoctl(handle, floppyDrive, kGetDeviceParams, block->address(), true);
}

bool Win9xFloppy::deviceGeometry(FloppyHandle handle, int floppyDrive, uint8_t specialFunctions,
                                 DEVICEPARAMS& params, DiskGeometry& geometry) {
    if (!getDeviceParams(handle, floppyDrive, specialFunctions, params)) return false;
    GeometryFromDeviceParams(static_cast<uint8_t>(params.get(DEVICEPARAMS::dpDevType)),
                             static_cast<uint8_t>(params.get(DEVICEPARAMS::dpBpbMediaDescriptor)), geometry);
    return true;
}

bool Win9xFloppy::QueryGeometry(FloppyHandle handle, int floppyDrive, DiskGeometry& geometry) {
    DEVICEPARAMS params;
    return deviceGeometry(handle, floppyDrive, 1, params, geometry);
}

bool Win9xFloppy::LockDrive(FloppyHandle handle, int floppyDrive) {
    return dosIoctl(handle, floppyDrive, kLockVolume, 0, true);
}

bool Win9xFloppy::UnlockDrive(FloppyHandle handle, int floppyDrive) {
    // No carry preset here: an unlock nobody carried out leaves nothing locked by us either.
    return dosIoctl(handle, floppyDrive, kUnlockVolume, 0, false);
}

bool Win9xFloppy::absolute(FloppyHandle handle, bool write, std::span<const uint8_t> readOnlyData,
                           std::span<uint8_t> data, int floppyDrive, uint32_t byteOffset,
                           uint32_t bytesPerSector) {
    const size_t bytes = write ? readOnlyData.size() : data.size();
    // The packet counts sectors in 16 bits; anything it cannot say exactly is refused, not cut short.
    if (!validDrive(floppyDrive) || bytesPerSector == 0 || bytes % bytesPerSector != 0 ||
        byteOffset % bytesPerSector != 0 || bytes / bytesPerSector > 0xFFFF) {
        return fail(ERROR_INVALID_PARAMETER);
    }
    auto buffer = write ? memory_.mapReadOnly(readOnlyData) : memory_.map(data);
    if (!buffer) return fail(ERROR_NOT_ENOUGH_MEMORY);
    DISKIO packet;
    packet.set(DISKIO::dwStartSector, byteOffset / bytesPerSector);
    packet.set(DISKIO::wSectors, static_cast<uint32_t>(bytes / bytesPerSector));
    packet.set(DISKIO::dwBuffer, buffer->address());
    auto packetBlock = memory_.mapReadOnly(packet.span());
    if (!packetBlock) return fail(ERROR_NOT_ENOUGH_MEMORY);

    DIOC_REGISTERS r;
    r.set(DIOC_REGISTERS::reg_EAX, static_cast<uint32_t>(floppyDrive - 1));
    r.set(DIOC_REGISTERS::reg_EBX, packetBlock->address());
    r.set(DIOC_REGISTERS::reg_ECX, kPacketForm);
    r.set(DIOC_REGISTERS::reg_Flags, DIOC_REGISTERS::kCarry);
    switch (send(handle, write ? VWIN32_DIOC_DOS_INT26 : VWIN32_DIOC_DOS_INT25, r)) {
        case Answer::Done:
            return true;
        case Answer::Carry:
            // Callers test for the platform's write-protect error, which the BIOS calls 3.
            return fail(write && r.ah() == kBiosWriteProtected ? ERROR_WRITE_PROTECT : r.ah());
        case Answer::CallFailed:
            return false;
    }
    return false;
}

bool Win9xFloppy::ReadSectors(FloppyHandle handle, std::span<uint8_t> buffer, uint32_t& bytesDone,
                              int floppyDrive, ByteOffset byteOffset, uint32_t bytesPerSector) {
    const bool ok = absolute(handle, false, {}, buffer, floppyDrive, byteOffset.value, bytesPerSector);
    bytesDone = ok ? static_cast<uint32_t>(buffer.size()) : 0;
    return ok;
}

bool Win9xFloppy::WriteSectors(FloppyHandle handle, std::span<const uint8_t> buffer, uint32_t& bytesDone,
                               ByteOffset byteOffset, int floppyDrive, uint32_t bytesPerSector) {
    const bool ok = absolute(handle, true, buffer, {}, floppyDrive, byteOffset.value, bytesPerSector);
    bytesDone = ok ? static_cast<uint32_t>(buffer.size()) : 0;
    return ok;
}

bool Win9xFloppy::FormatAllCylinders(FloppyHandle, const DiskGeometry&, ProgressPort&) {
    // DOS through VWIN32 has no format request; the converter does not offer formatting here.
    return fail(ERROR_NOT_SUPPORTED);
}

int Win9xFloppy::DiagnoseDrive(FloppyHandle handle, int floppyDrive, DiskGeometry& geometry,
                               std::string& text, int selector) {
    DEVICEPARAMS params;
    if (!deviceGeometry(handle, floppyDrive, selector == 1 ? 1 : 0, params, geometry)) return 0;
    // Without the boot sector there is nothing to set beside the drive's answer: the text stays empty.
    text.clear();
    if (auto sector = platform::AlignedBuffer::allocate(kDiagnosticSectorBytes)) {
        if (absolute(handle, false, {}, sector->bytes(), floppyDrive, 0, kDiagnosticSectorBytes)) {
            text = diagnosticText(params.span(), sector->bytes());
        }
    }
    return 1;
}

}  // namespace converter::win9x
