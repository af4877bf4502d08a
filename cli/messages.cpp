#include "messages.h"

#include <cstdio>

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
    std::fprintf(stderr, "orva: %s\n", text.c_str());
}

void printWarning(const std::string& text) {
    std::fprintf(stderr, "orva: warning: %s\n", text.c_str());
}

}  // namespace cli
