#pragma once
// Test helpers: a scratch folder per test, host files, and running the independent FAT tools.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const fs::path& path() const { return path_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }

private:
    fs::path path_;
};

struct CommandResult {
    int exitCode;
    std::string output;  // stdout and stderr together
};

// Runs a shell command with MTOOLS_SKIP_CHECK=1 and a UTF-8 locale, as the FAT tools need for our fixtures.
CommandResult run(const std::string& command);
// Runs a command and fails the current test when it does not exit with 0.
std::string runOk(const std::string& command);
// Quotes a text for the shell.
std::string quote(const std::string& text);

std::vector<uint8_t> readFile(const fs::path& path);
void writeFile(const fs::path& path, const std::vector<uint8_t>& bytes);
void writeFile(const fs::path& path, const std::string& text);
// Reproducible bytes of a given length, different for every seed.
std::vector<uint8_t> patternBytes(size_t size, uint32_t seed);

// An empty FAT12 image made by mkfs.fat: kilobytes 360, 720, 1200 or 1440.
void makeFatImage(const fs::path& image, int kilobytes, const std::string& label = "");
// Copies a host folder's contents into the image's root with mcopy -s (long names as they are).
void mcopyTree(const fs::path& image, const fs::path& hostFolder);

}  // namespace testing_support
