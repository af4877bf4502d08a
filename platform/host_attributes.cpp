#include "platform/host_attributes.h"

#include <sys/stat.h>
#include <sys/xattr.h>

#include <charconv>
#include <cstdio>
#include <string_view>

#include "platform/host_extras.h"
#include "platform/path_info.h"

namespace platform {
namespace {

// Both of Samba's forms begin with the attributes as the text "0x..": the old one is nothing else, the
// newer binary one carries the same text first, NUL-terminated.
uint8_t dosAttribBits(const std::string& path) {
    const auto value = dosAttributeText(path);
    if (!value || value->size() < 3) return 0;
    const std::string_view text(*value);
    if (!text.starts_with("0x") && !text.starts_with("0X")) return 0;
    unsigned bits = 0;
    const auto [end, error] = std::from_chars(text.data() + 2, text.data() + text.size(), bits, 16);
    if (error != std::errc{} || end == text.data() + 2) return 0;
    return static_cast<uint8_t>(bits & (dos::kHidden | dos::kSystem | dos::kArchive));
}

}  // namespace

uint8_t hostAttributes(const std::string& path, bool isFolder) {
    uint8_t bits = dosAttribBits(path);
    if (!isFolder) bits |= dos::kArchive;
    if (inspectPath(path).writeProtected) bits |= dos::kReadOnly;
    return bits;
}

bool setHostAttributes(const std::string& path, uint8_t attributes) {
    const uint8_t kept = attributes & (dos::kHidden | dos::kSystem | dos::kArchive);
    if (kept != 0) {
        char text[8];
        const int length = std::snprintf(text, sizeof text, "0x%x", kept);
        ::setxattr(path.c_str(), "user.DOSATTRIB", text, static_cast<size_t>(length) + 1,
                   0);  // dropped where unsupported
    } else {
        ::removexattr(path.c_str(), "user.DOSATTRIB");  // none to keep: an old value must not linger
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    mode_t mode = st.st_mode & 07777;
    mode = (attributes & dos::kReadOnly) ? mode & ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH)
                                         : mode | S_IWUSR;
    return mode == (st.st_mode & 07777) || ::chmod(path.c_str(), mode) == 0;
}

}  // namespace platform
