#include "platform/host_extras.h"

#include <sys/xattr.h>
#include <unistd.h>

#include <array>

namespace platform {

bool stderrIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

bool stdinIsTerminal() {
    return ::isatty(STDIN_FILENO) == 1;
}

std::optional<std::string> dosAttributeText(const std::string& path) {
    std::array<char, 64> value{};
    const ssize_t n = ::getxattr(path.c_str(), "user.DOSATTRIB", value.data(), value.size());
    if (n < 0) return std::nullopt;
    return std::string(value.data(), static_cast<size_t>(n));
}

}  // namespace platform
