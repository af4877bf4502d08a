#include "emulation/drive_status.h"

#include "win32_types.h"

namespace converter::emulation {

uint32_t win32ErrorFor(DriveStatus status) {
    switch (status) {
        case DriveStatus::Ok:
            return 0;
        case DriveStatus::BadCommand:
            return ERROR_INVALID_FUNCTION;
        case DriveStatus::AddressMarkNotFound:
        case DriveStatus::SectorNotFound:
            return ERROR_SECTOR_NOT_FOUND;
        case DriveStatus::WriteProtected:
            return ERROR_WRITE_PROTECT;
        case DriveStatus::CrcError:
            return ERROR_CRC;
        case DriveStatus::SeekFailed:
            return ERROR_SEEK;
        case DriveStatus::NotReady:
            return ERROR_NOT_READY;
        case DriveStatus::DmaOverrun:
        case DriveStatus::ControllerFailure:
            return ERROR_IO_DEVICE;
    }
    return ERROR_GEN_FAILURE;
}

}  // namespace converter::emulation
