#include "messages.h"

#include <cstdio>

#include "image_names.h"
#include "progress.h"

namespace cli {

std::string openResultText(int32_t code) {
    switch (code) {
        case result::OpenFDImg::kOpened:
            return "opened";
        case result::OpenFDImg::kReadOnly:
            return "the image file is read-only";
        case result::OpenFDImg::kLonger:
            return "the image file is longer than its boot sector says";
        case result::OpenFDImg::kLongerReadOnly:
            return "the image file is longer than its boot sector says, and read-only";
        case result::OpenFDImg::kShorter:
            return "the image file is shorter than its boot sector says";
        case result::OpenFDImg::kShortBootRead:
            return "the boot sector could not be read whole";
        case result::OpenFDImg::kUnreadable:
            return "the file cannot be read or is too short to hold a boot sector";
        case result::OpenFDImg::kUnknownMedia:
            return "the boot sector holds an unknown media byte";
        case result::OpenFDImg::kBadParameters:
            return "the boot sector holds bad media parameters (heads, sector size, sectors per track) "
                   "or the allocation table does not fit the disk";
        case result::OpenFDImg::kNoWorkArea:
            return "the image library has no work area";
        case result::OpenFDImg::kCannotOpen:
            return "the file does not exist or cannot be opened (missing, locked by another program, no "
                   "access)";
        default:
            return "unexpected result";
    }
}

std::string copyResultText(int32_t code) {
    switch (code) {
        case result::CopyF::kImageReadFailed:
            return "reading the image failed or its allocation table is damaged";
        case result::CopyF::kHostWriteFailed:
            return "the host file could not be created or written";
        case result::CopyF::kClusterOutOfLimits:
            return "the directory entry points to a cluster outside the disk";
        case result::CopyF::kNotFound:
            return "no such file in the image";
        case result::CopyF::kNamesFolder:
            return "names a folder, not a file";
        case result::CopyF::kNothingOpen:
            return "no image is open";
        default:
            return "unexpected result";
    }
}

namespace {

// Results every writing function shares.
std::string commonWriteText(int32_t code) {
    switch (code) {
        case result::kNameTooLong:
            return nameFaultText(orva::NameFault::TooLong);
        case result::kNameNotText:
            return nameFaultText(orva::NameFault::NotText);
        case result::kReadOnlyImage:
            return "the image file is read-only";
        case result::kChangedOutside:
            return "another program gave the image new disk parameters while it was open; nothing written";
        case result::kNothingOpen:
            return "no image is open";
        default:
            return "unexpected result";
    }
}

}  // namespace

std::string copyInResultText(int32_t code) {
    switch (code) {
        case result::CopyT::kDoesNotFit:
            return "the image is full (or the file is 4 GiB or more)";
        case result::CopyT::kNoRoom:
            return "no room for the entry: the folder or the image is full, or every short alias of the name "
                   "is "
                   "taken";
        case result::CopyT::kHostReadFailed:
            return "reading the host file failed";
        case result::CopyT::kNoTarget:
            return "the target folder is not in the image";
        case result::CopyT::kImageWriteFailed:
            return "writing the image failed";
        case result::CopyT::kHostUnopenable:
            return "the host file cannot be opened or is not a regular file";
        case result::CopyT::kHostIsFolder:
            return "the host path names a folder";
        case result::CopyT::kNameForbidden:
            return "the name is empty, holds a character FAT does not allow, or ends with a dot or a blank";
        default:
            return commonWriteText(code);
    }
}

std::string mkDirResultText(int32_t code) {
    switch (code) {
        case result::MkDir::kNoRoom:
            return "no room for the folder: the parent folder or the image is full";
        case result::MkDir::kNoParent:
            return "the parent folder is not in the image";
        case result::MkDir::kWriteFailed:
            return "writing the image failed";
        case result::MkDir::kBadName:
            return "the name is empty or contains a character that is not allowed";
        default:
            return commonWriteText(code);
    }
}

std::string killResultText(int32_t code) {
    switch (code) {
        case result::KillF::kProtected:
            return "is read-only, hidden or system; use -f to delete it all the same";
        case result::KillF::kNotEmpty:
            return "the folder is not empty; use -r to delete it with everything in it";
        case result::KillF::kIsRoot:
            return "the root folder cannot be deleted";
        case result::KillF::kNotFound:
            return "no such file or folder in the image";
        case result::KillF::kWriteFailed:
            return "writing the image failed";
        case result::KillF::kReadFailed:
            return "reading the image failed";
        default:
            return commonWriteText(code);
    }
}

std::string setAttribResultText(int32_t code) {
    switch (code) {
        case result::SetAttrib::kNotFound:
            return "no such file or folder in the image";
        case result::SetAttrib::kIsRoot:
            return "the root folder has no attributes";
        case result::SetAttrib::kNotAFolder:
            return "a name inside the path is a file, not a folder";
        case result::SetAttrib::kEmptyName:
            return "the path holds an empty name";
        case result::SetAttrib::kSlotFailed:
            return "reading or writing the entry failed";
        default:
            return commonWriteText(code);
    }
}

std::string labelResultText(int32_t code) {
    switch (code) {
        case result::WriteVol::kNoRootSlot:
            return "no free slot in the root folder for the label";
        case result::WriteVol::kWriteFailed:
            return "writing the image failed";
        case result::WriteVol::kBadLabel:
            return "the label holds a control character or a character outside ASCII";
        default:
            return commonWriteText(code);
    }
}

std::string bootResultText(int32_t code) {
    switch (code) {
        case result::WriteBoot::kWriteFailed:
            return "writing the boot sector failed";
        default:
            return commonWriteText(code);
    }
}

std::string withCode(const std::string& text, const char* function, int32_t code) {
    return text + " (" + function + " result " + std::to_string(code) + ")";
}

std::string checkCodeText(int32_t code) {
    switch (code) {
        case orva::check::kClusterOutOfLimits:
            return "first cluster out of limits";
        case orva::check::kSizeBeyondImage:
            return "file size larger than the disk";
        case orva::check::kBadShortNameByte:
            return "forbidden character in a short name";
        case orva::check::kPartAttributes:
            return "long-name part with wrong attributes";
        case orva::check::kPartSequence:
            return "long-name part with a sequence number out of range";
        case orva::check::kPartType:
            return "long-name part with a non-zero type byte";
        case orva::check::kPartCluster:
            return "long-name part with a non-zero cluster field";
        case orva::check::kBadLongNameChar:
            return "forbidden character in a long name";
        case orva::check::kBadLabelByte:
            return "control character in the volume label";
        case orva::check::kChainLoop:
            return "the folder's cluster chain leads back into itself";
        default:
            return "unknown check";
    }
}

std::string mediaTypeText(int32_t mediaType) {
    switch (mediaType) {
        case 0:
            return "unknown";
        case 1:
            return "5.25-inch 1.2 MB";
        case 2:
            return "3.5-inch 1.44 MB";
        case 3:
            return "3.5-inch 2.88 MB";
        case 5:
            return "3.5-inch 720 KB";
        case 6:
            return "5.25-inch 360 KB";
        default:
            return "media type " + std::to_string(mediaType);
    }
}

void printError(const std::string& text) {
    eraseProgressLine();
    std::fprintf(stderr, "orva: %s\n", text.c_str());
}

void printWarning(const std::string& text) {
    eraseProgressLine();
    std::fprintf(stderr, "orva: warning: %s\n", text.c_str());
}

}  // namespace cli
