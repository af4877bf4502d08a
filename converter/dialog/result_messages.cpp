#include "converter/dialog/result_messages.h"

#include "converter/dialog/texts.h"

namespace converter::dialog {
namespace {

using actions::ActionKind;
using actions::Failure;

}  // namespace

desktop::ShownText failureMessage(ActionKind kind, const actions::Result& r) {
    switch (r.failure) {
        case Failure::DriveNotOpened:
            return text::shown(text::kCannotOpen, r.subject.c_str(), r.code);
        case Failure::DriveLocked:
            return text::shown(text::kLocked, r.subject.c_str(), r.code);
        case Failure::NoGeometry:
            return text::kGeometryFailed;
        case Failure::NoBuffer:
            return text::kAllocationFailed;
        case Failure::ImageFile:
        case Failure::MapFile:
            return text::shown(text::kFileError, r.subject.c_str(), r.code);
        case Failure::RescueNotRaw:
            return text::shown(text::kRescueNotRaw, r.subject.c_str());
        case Failure::ImageOnOpticalDrive:
            return text::kNoCd;
        case Failure::ImageSizeDiffers:
            return text::kNotThisType;
        case Failure::ImageRead:
            return text::shown(text::kImageReadError, r.code);
        case Failure::ImageWrite:
        case Failure::FloppyWrite:
            return text::shown(text::kWriteError, r.code);
        case Failure::WriteProtected:
            return text::kWriteProtected;
        case Failure::FormatFailed:
            return kind == ActionKind::Write ? text::kFormatError : text::kTypeNotFormattable;
        case Failure::NoTemplate:
            return text::kTypeNotFormattable;
        case Failure::FileSystemWrite:
            return text::kTrack0Failed;
        case Failure::FormatsOnlyOnNt:
            return text::kFormatOnlyNt;
        case Failure::None:
        case Failure::RemovableMedium:
        case Failure::NoMedium:
        case Failure::Declined:
        case Failure::StoppedAtBadSector:
        case Failure::Stopped:
            break;
    }
    return {};
}

namespace {

// The closing message; a read that got as far as the image says it also after a stop or a write error.
const char* closingMessage(ActionKind kind, Failure failure) {
    switch (kind) {
        case ActionKind::Read:
            return failure == Failure::None || failure == Failure::ImageWrite ||
                           failure == Failure::StoppedAtBadSector
                       ? text::kReadDone
                       : nullptr;
        case ActionKind::Write:
            return failure == Failure::None ? text::kWriteDone : nullptr;
        case ActionKind::Format:
            return failure == Failure::None ? text::kFormatDone : nullptr;
    }
    return nullptr;
}

}  // namespace

std::vector<desktop::ShownText> resultMessages(ActionKind kind, const actions::Result& result) {
    std::vector<desktop::ShownText> messages;
    if (desktop::ShownText failure = failureMessage(kind, result); !failure.empty())
        messages.push_back(failure);
    if (const char* closing = closingMessage(kind, result.failure)) messages.emplace_back(closing);
    return messages;
}

}  // namespace converter::dialog
