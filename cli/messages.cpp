#include "messages.h"

#include <cstdio>

#include "progress.h"

namespace cli {

std::string openResultText(int32_t code) {
    switch (code) {
        case 0:
            return "opened";
        case 1:
            return "the image file is read-only";
        case 2:
            return "the image file is longer than its boot sector says";
        case 3:
            return "the image file is longer than its boot sector says, and read-only";
        case 4:
            return "the image file is shorter than its boot sector says";
        case 5:
            return "the boot sector could not be read whole";
        case 6:
            return "the file cannot be read or is too short to hold a boot sector";
        case 7:
            return "the boot sector holds an unknown media byte";
        case 8:
            return "the boot sector holds bad media parameters (heads, sector size, sectors per track) "
                   "or the allocation table does not fit the disk";
        case 9:
            return "the image library has no work area";
        case 10:
            return "the file does not exist or cannot be opened (missing, locked by another program, no "
                   "access)";
        default:
            return "unexpected result";
    }
}

std::string copyResultText(int32_t code) {
    switch (code) {
        case 1:
            return "reading the image failed or its allocation table is damaged";
        case 2:
            return "the host file could not be created or written";
        case 3:
            return "the directory entry points to a cluster outside the disk";
        case 4:
            return "no such file in the image";
        case 5:
            return "names a folder, not a file";
        case 10:
            return "no image is open";
        default:
            return "unexpected result";
    }
}

namespace {

// Results every writing function shares.
std::string commonWriteText(int32_t code) {
    switch (code) {
        case 8:
            return "the image file is read-only";
        case 10:
            return "no image is open";
        default:
            return "unexpected result";
    }
}

}  // namespace

std::string copyInResultText(int32_t code) {
    switch (code) {
        case 1:
            return "the image is full (or the file is 4 GiB or more)";
        case 2:
            return "no room for the entry: the folder or the image is full, or every short alias of the name "
                   "is "
                   "taken";
        case 3:
            return "reading the host file failed";
        case 4:
            return "the target folder is not in the image";
        case 5:
            return "writing the image failed";
        case 6:
            return "the host file cannot be opened or is not a regular file";
        case 7:
            return "the host path names a folder";
        default:
            return commonWriteText(code);
    }
}

std::string mkDirResultText(int32_t code) {
    switch (code) {
        case 3:
            return "no room for the folder: the parent folder or the image is full";
        case 4:
            return "the parent folder is not in the image";
        case 5:
            return "writing the image failed";
        case 7:
            return "the name is empty or contains a character that is not allowed";
        default:
            return commonWriteText(code);
    }
}

std::string killResultText(int32_t code) {
    switch (code) {
        case 1:
            return "is read-only, hidden or system; use -f to delete it all the same";
        case 2:
            return "the folder is not empty; use -r to delete it with everything in it";
        case 3:
            return "the root folder cannot be deleted";
        case 4:
            return "no such file or folder in the image";
        case 5:
            return "writing the image failed";
        case 6:
            return "reading the image failed";
        default:
            return commonWriteText(code);
    }
}

std::string setAttribResultText(int32_t code) {
    switch (code) {
        case 1:
            return "no such file or folder in the image";
        case 2:
            return "the root folder has no attributes";
        case 4:
            return "a name inside the path is a file, not a folder";
        case 5:
            return "the path holds an empty name";
        case 6:
            return "reading or writing the entry failed";
        default:
            return commonWriteText(code);
    }
}

std::string labelResultText(int32_t code) {
    switch (code) {
        case 1:
            return "no free slot in the root folder for the label";
        case 5:
            return "writing the image failed";
        case 7:
            return "the label holds a control character or a character outside ASCII";
        default:
            return commonWriteText(code);
    }
}

std::string bootResultText(int32_t code) {
    switch (code) {
        case 5:
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
        case 1:
            return "first cluster out of limits";
        case 2:
            return "file size larger than the disk";
        case 3:
            return "forbidden character in a short name";
        case 4:
            return "long-name part with wrong attributes";
        case 5:
            return "long-name part with a sequence number out of range";
        case 6:
            return "long-name part with a non-zero type byte";
        case 7:
            return "long-name part with a non-zero cluster field";
        case 8:
            return "forbidden character in a long name";
        case 9:
            return "control character in the volume label";
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
