#pragma once
// A shared library loaded at run time and kept for the life of the process.
#include <optional>
#include <string>

namespace platform {

class SharedLibrary {
  public:
    // A path with a "/" is loaded from there; a bare file name through the system's search order.
    // On failure error holds the loader's explanation.
    static std::optional<SharedLibrary> load(const std::string& path, std::string& error);

    // Null when the library has no such symbol.
    void* symbol(const char* name) const;

  private:
    explicit SharedLibrary(void* handle) : handle_(handle) {}
    void* handle_;  // never closed: the library stays loaded while the program runs
};

// The folder holding the running program, without a trailing "/"; empty when it cannot be found.
std::string executableFolder();

}  // namespace platform
