#include "floppy/failure_texts.h"

namespace cli {
namespace {

using converter::actions::ActionKind;
using converter::actions::Failure;

std::string withError(const std::string& what, int code) {
    return what + ", error " + std::to_string(code);
}

}  // namespace

std::string failureText(ActionKind kind, const converter::actions::Result& r) {
    switch (r.failure) {
        case Failure::DriveNotOpened:
            return withError("the drive cannot be opened", r.code);
        case Failure::DriveLocked:
            return withError("another program holds the drive", r.code);
        case Failure::RemovableMedium:
            return "the medium is a removable hard disk, not a floppy";
        case Failure::NoMedium:
            return "no floppy in the drive";
        case Failure::NoGeometry:
            return "the floppy's geometry cannot be read";
        case Failure::NoBuffer:
            return "the floppy's format is unknown (unformatted?) or no buffer could be had";
        case Failure::ImageFile:
            return withError(r.subject + ": the image file cannot be used", r.code);
        case Failure::ImageOnOpticalDrive:
            return "images cannot be read onto a CD";
        case Failure::ImageSizeDiffers:
            return "the image's size is not that of the floppy in the drive; nothing was written";
        case Failure::ImageRead:
            return withError("reading the image file failed", r.code);
        case Failure::ImageWrite:
            return withError("writing the image file failed", r.code);
        case Failure::FloppyWrite:
            return withError("writing the floppy failed", r.code);
        case Failure::WriteProtected:
            return "the floppy is write-protected";
        case Failure::FormatFailed:
            if (kind == ActionKind::Write) return "formatting the floppy failed";
            [[fallthrough]];
        case Failure::NoTemplate:
            return "a floppy of this type cannot be formatted, or the drive refused the format";
        case Failure::FileSystemWrite:
            return "the empty file system cannot be written to track 0";
        case Failure::FormatsOnlyOnNt:
            return "floppies are formatted only on the NT line";
        case Failure::MapFile:
            return r.detail.empty() ? withError(r.subject + ": the map cannot be used", r.code)
                                    : r.subject + ": the map cannot be used: " + r.detail;
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
