#include "platform/shared_library.h"

#include <dlfcn.h>
#include <unistd.h>

#include <vector>

namespace platform {

std::optional<SharedLibrary> SharedLibrary::load(const std::string& path, std::string& error) {
    // dlopen("") hands back the program itself, which is never what a caller naming a library means.
    if (path.empty()) {
        error = "no library named";
        return std::nullopt;
    }
    ::dlerror();
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = ::dlerror();
        error = reason != nullptr && *reason != '\0' ? reason : path + ": cannot be loaded";
        return std::nullopt;
    }
    error.clear();
    return SharedLibrary(handle);
}

void* SharedLibrary::symbol(const char* name) const {
    if (name == nullptr) return nullptr;
    ::dlerror();
    void* address = ::dlsym(handle_, name);
    // A miss leaves a message behind; clear it so the next load reports its own.
    ::dlerror();
    return address;
}

std::string executableFolder() {
    std::vector<char> buffer(256);
    while (true) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) return {};
        if (static_cast<size_t>(n) < buffer.size()) {
            const std::string path(buffer.data(), static_cast<size_t>(n));
            const size_t slash = path.find_last_of('/');
            if (slash == std::string::npos) return {};
            return slash == 0 ? "/" : path.substr(0, slash);
        }
        // The link may have been cut short: try again with room to spare.
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace platform
