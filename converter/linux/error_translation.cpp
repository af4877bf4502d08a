#include "linux/error_translation.h"

#include "win32_types.h"

namespace converter::linux_floppy {

uint32_t lastErrorForErrno(int error) {
    switch (error < 0 ? -error : error) {
        case 0: return 0;
        case err::RoFs: return ERROR_WRITE_PROTECT;
        case err::NxIo:
        case err::NoMedium: return ERROR_NOT_READY;
        // A held device is what a failed volume lock reports on Windows.
        case err::Busy:
        case err::Perm:
        case err::Acces: return ERROR_ACCESS_DENIED;
        case err::NoEnt: return ERROR_FILE_NOT_FOUND;
        case err::BadF: return ERROR_INVALID_HANDLE;
        case err::NoMem: return ERROR_NOT_ENOUGH_MEMORY;
        case err::Inval: return ERROR_INVALID_PARAMETER;
        case err::NoTty:
        case err::OpNotSupp: return ERROR_NOT_SUPPORTED;
        // The driver knows no geometry for what is in the drive; never the raw 19.
        case err::NoDev: return ERROR_UNRECOGNIZED_MEDIA;
        case err::NoData: return ERROR_CRC;
        case err::Io: return ERROR_IO_DEVICE;
        default: return ERROR_GEN_FAILURE;
    }
}

uint32_t lastErrorWithStatus(int error, const DriveStatus& status) {
    const int e = error < 0 ? -error : error;
    const bool medium = (status.flags & kDiskChanged) == 0;
    const bool relevant = e == err::Io || e == err::RoFs || e == err::NoDev || e == err::NxIo;
    if (!relevant) return lastErrorForErrno(e);
    if (!medium) return ERROR_NOT_READY;
    if ((e == err::Io || e == err::RoFs) && (status.flags & kDiskWritable) == 0) return ERROR_WRITE_PROTECT;
    return lastErrorForErrno(e);
}

SenseVerdict judgeSense(std::span<const uint8_t> sense) {
    if (sense.size() < 14) return {false, false, ERROR_IO_DEVICE};
    const uint8_t key = sense[2] & 0x0F;
    const uint8_t asc = sense[12];
    switch (key) {
        case 0x0:
        case 0x1: return {};  // no sense / recovered
        case 0x2: return {false, false, ERROR_NOT_READY};
        case 0x3:
            if (asc == 0x30) return {false, true, ERROR_UNRECOGNIZED_MEDIA};
            if (asc == 0x13 || asc == 0x14) return {false, false, ERROR_SECTOR_NOT_FOUND};
            return {false, false, ERROR_CRC};
        case 0x5: return {false, false, ERROR_INVALID_PARAMETER};
        case 0x6: return {true, false, ERROR_NOT_READY};
        case 0x7: return {false, false, ERROR_WRITE_PROTECT};
        default: return {false, false, ERROR_IO_DEVICE};
    }
}

}  // namespace converter::linux_floppy
