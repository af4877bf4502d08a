#include "emulation/emulated_nt_device.h"

#include <algorithm>
#include <cctype>

#include "disk_geometry_layout.h"
#include "emulation/drive_requests.h"
#include "winnt/device_name.h"
#include "winnt/format_parameters.h"
#include "winnt/nt_control_codes.h"
#include "text_compare.h"
#include "media_types.h"

namespace converter::emulation {

using namespace converter::winnt;

EmulatedNtDevice::EmulatedNtDevice(EmulatedDrive& drive, std::string_view driveText)
    : drive_(drive), deviceName_(deviceNameForDrive(driveText)) {}

EmulatedNtDevice::OpenHandle* EmulatedNtDevice::find(Win32Handle handle) {
    const auto open = handles_.find(static_cast<int64_t>(handle));
    if (open == handles_.end()) {
        lastError_ = ERROR_INVALID_HANDLE;
        return nullptr;
    }
    return &open->second;
}

Win32Handle EmulatedNtDevice::CreateFileA(std::string_view name, uint32_t access, uint32_t,
                                          uint32_t disposition, uint32_t) {
    if (!sameTextIgnoringCase(name, deviceName_)) {
        lastError_ = ERROR_FILE_NOT_FOUND;
        return INVALID_HANDLE_VALUE;
    }
    if (disposition != OPEN_EXISTING) {
        lastError_ = ERROR_ACCESS_DENIED;
        return INVALID_HANDLE_VALUE;
    }
    handles_[nextHandle_] = {0, (access & GENERIC_WRITE) != 0};
    return Win32Handle{nextHandle_++};
}

bool EmulatedNtDevice::CloseHandle(Win32Handle handle) {
    if (!find(handle)) return false;
    drive_.releaseLock(static_cast<uint64_t>(handle));
    handles_.erase(static_cast<int64_t>(handle));
    return true;
}

bool EmulatedNtDevice::DeviceIoControl(Win32Handle handle, uint32_t code, std::span<const uint8_t> in,
                                       std::span<uint8_t> out, uint32_t& bytesReturned) {
    bytesReturned = 0;
    OpenHandle* open = find(handle);
    if (!open) return false;
    if (drive_.noAnswer()) return fail(ERROR_NOT_READY);
    const auto owner = static_cast<uint64_t>(handle);
    switch (code) {
        case IOCTL_DISK_GET_DRIVE_GEOMETRY: {
            if (!drive_.hasMedium()) return fail(ERROR_NOT_READY);
            const auto geometry = drive_.mediumGeometry();
            if (!geometry) return fail(ERROR_UNRECOGNIZED_MEDIA);
            if (out.size() < DiskGeometryBytes::kBytes) return fail(ERROR_INSUFFICIENT_BUFFER);
            encodeGeometry(*geometry, out);
            bytesReturned = DiskGeometryBytes::kBytes;
            return true;
        }
        case IOCTL_STORAGE_GET_MEDIA_TYPES: {
            const auto types = drive_.supportedTypes();
            if (out.size() < types.size() * DiskGeometryBytes::kBytes) return fail(ERROR_INSUFFICIENT_BUFFER);
            for (size_t i = 0; i < types.size(); ++i)
                encodeGeometry(types[i], out.subspan(i * DiskGeometryBytes::kBytes));
            bytesReturned = static_cast<uint32_t>(types.size() * DiskGeometryBytes::kBytes);
            return true;
        }
        case FSCTL_LOCK_VOLUME:
            return drive_.lock(owner) || fail(ERROR_ACCESS_DENIED);
        case FSCTL_UNLOCK_VOLUME:
            return drive_.unlock(owner) || fail(ERROR_NOT_LOCKED);
        case IOCTL_STORAGE_CHECK_VERIFY:
            return drive_.hasMedium() || fail(ERROR_NOT_READY);
        case FSCTL_DISMOUNT_VOLUME:
            ++dismounts_;
            return true;
        case IOCTL_DISK_FORMAT_TRACKS:
            if (!open->writable) return fail(ERROR_ACCESS_DENIED);
            return formatTracks(in);
        default:
            return fail(ERROR_INVALID_FUNCTION);
    }
}

bool EmulatedNtDevice::formatTracks(std::span<const uint8_t> in) {
    if (in.size() < FORMAT_PARAMETERS::kBytes) return fail(ERROR_INVALID_PARAMETER);
    FORMAT_PARAMETERS p;
    std::copy_n(in.begin(), FORMAT_PARAMETERS::kBytes, p.bytes.begin());
    const uint32_t first = p.get(FORMAT_PARAMETERS::StartCylinderNumber);
    const uint32_t last = p.get(FORMAT_PARAMETERS::EndCylinderNumber);
    if (first > last) return fail(ERROR_INVALID_PARAMETER);
    for (uint32_t c = first;; ++c) {
        const uint32_t error = emulation::formatTracks(
            drive_, static_cast<int32_t>(p.get(FORMAT_PARAMETERS::MediaType)), c,
            p.get(FORMAT_PARAMETERS::StartHeadNumber), p.get(FORMAT_PARAMETERS::EndHeadNumber));
        if (error != 0) return fail(error);
        if (c == last) return true;
    }
}

bool EmulatedNtDevice::ReadFile(Win32Handle handle, std::span<uint8_t> buffer, uint32_t& bytesRead) {
    bytesRead = 0;
    OpenHandle* open = find(handle);
    if (!open) return false;
    const StreamResult r = readStream(drive_, open->position, buffer);
    if (r.error != 0) return fail(r.error);
    open->position += r.bytes;
    bytesRead = r.bytes;
    return true;
}

bool EmulatedNtDevice::WriteFile(Win32Handle handle, std::span<const uint8_t> buffer,
                                 uint32_t& bytesWritten) {
    bytesWritten = 0;
    OpenHandle* open = find(handle);
    if (!open) return false;
    if (!open->writable) return fail(ERROR_ACCESS_DENIED);
    const StreamResult r = writeStream(drive_, open->position, buffer);
    if (r.error != 0) return fail(r.error);
    open->position += r.bytes;
    bytesWritten = r.bytes;
    return true;
}

uint32_t EmulatedNtDevice::SetFilePointer(Win32Handle handle, int32_t distance, uint32_t moveMethod) {
    OpenHandle* open = find(handle);
    if (!open) return INVALID_SET_FILE_POINTER;
    int64_t base = 0;
    if (moveMethod == FILE_CURRENT) {
        base = static_cast<int64_t>(open->position);
    } else if (moveMethod == FILE_END) {
        const auto g = drive_.mediumGeometry();
        base = g ? static_cast<int64_t>(mediumBytes(*g)) : 0;
    } else if (moveMethod != FILE_BEGIN) {
        fail(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    const int64_t at = base + distance;
    if (at < 0) {
        fail(ERROR_NEGATIVE_SEEK);
        return INVALID_SET_FILE_POINTER;
    }
    if (at >= INVALID_SET_FILE_POINTER) {
        fail(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    open->position = static_cast<uint64_t>(at);
    return static_cast<uint32_t>(at);
}

}  // namespace converter::emulation
