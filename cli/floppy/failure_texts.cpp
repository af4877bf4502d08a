#include "floppy/failure_texts.h"

#include "last_error_text.h"
#include "platform/host_errors.h"
#include "win32_types.h"

namespace cli {
namespace {

using converter::actions::ActionKind;
using converter::actions::Failure;

// A code from the drive: the floppy variants speak Windows' last-error codes.
std::string withDriveError(const std::string& what, int code) {
    return what + ", " + converter::lastErrorText(static_cast<uint32_t>(code));
}

// A code from a host file: errno.
std::string withFileError(const std::string& what, int code) {
    return what + ", " + platform::errorText(code);
}

// A lock refused as access denied is another program's; a drive that does not answer cannot be locked
// either, and saying "held" would send a person looking for a program that is not there.
std::string lockFailure(int code) {
    switch (static_cast<uint32_t>(code)) {
        case converter::ERROR_ACCESS_DENIED:
            return withDriveError("another program holds the drive", code);
        case converter::ERROR_NOT_READY:
            return withDriveError("the drive does not answer", code);
        default:
            return withDriveError("the drive cannot be locked", code);
    }
}

}  // namespace

std::string failureText(ActionKind kind, const converter::actions::Result& r) {
    switch (r.failure) {
        case Failure::DriveNotOpened:
            return withDriveError("the drive cannot be opened", r.code);
        case Failure::DriveLocked:
            return lockFailure(r.code);
        case Failure::RemovableMedium:
            return "the medium is a removable hard disk, not a floppy";
        case Failure::NoMedium:
            return "no floppy in the drive";
        case Failure::NoGeometry:
            return "the floppy's geometry cannot be read";
        case Failure::NoBuffer:
            return "the floppy's format is unknown (unformatted?) or no buffer could be had";
        case Failure::ImageFile:
            return withFileError(r.subject + ": the image file cannot be used", r.code);
        case Failure::ImageOnOpticalDrive:
            return "images cannot be read onto a CD";
        case Failure::ImageSizeDiffers:
            return "the image's size is not that of the floppy in the drive; nothing was written";
        case Failure::ImageRead:
            return withFileError("reading the image file failed", r.code);
        case Failure::ImageWrite:
            return withFileError("writing the image file failed", r.code);
        case Failure::FloppyWrite:
            return withDriveError("writing the floppy failed", r.code);
        case Failure::WriteProtected:
            return "the floppy is write-protected";
        case Failure::FormatFailed:
            return withDriveError(kind == ActionKind::Write
                                      ? "formatting the floppy failed"
                                      : "the drive refused to format the floppy to this type",
                                  r.code);
        case Failure::NoTemplate:
            return "a floppy of this type cannot be formatted";
        case Failure::FileSystemWrite:
            return withDriveError("the empty file system cannot be written to track 0", r.code);
        case Failure::FormatsOnlyOnNt:
            return "floppies are formatted only on the NT line";
        case Failure::MapFile:
            return r.detail.empty() ? withFileError(r.subject + ": the map cannot be used", r.code)
                                    : r.subject + ": the map cannot be used: " + r.detail;
        case Failure::RescueNotRaw:
            return r.subject +
                   ": a rescue writes into a raw image (.img) or an ImageDisk file (.imd) as it reads and would "
                   "write over this container; rescue into one of those and convert it afterwards (orva convert "
                   "disk.img disk.imz)";
        case Failure::Stopped:
            return "stopped after the request under way; the image and its map keep what was read, and the "
                   "same command continues from there";
        case Failure::None:
        case Failure::Declined:
        case Failure::StoppedAtBadSector:
            break;
    }
    return {};
}

}  // namespace cli
