#include "fixture.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>

namespace testing_support {

ScratchDir::ScratchDir() {
    std::string pattern = (fs::temp_directory_path() / "orva-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    // Tests make files read-only; give write access back so that everything can go.
    for (auto& p : fs::recursive_directory_iterator(path_, ec)) {
        fs::permissions(p.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(path_, ec);
}

std::string quote(const std::string& text) {
    std::string q = "'";
    for (char c : text) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

CommandResult run(const std::string& command) {
    const std::string full = "export MTOOLS_SKIP_CHECK=1 LC_ALL=C.UTF-8; " + command + " 2>&1";
    FILE* pipe = ::popen(full.c_str(), "r");
    if (!pipe) return {-1, "popen failed"};
    std::string output;
    std::array<char, 4096> buf;
    size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0) output.append(buf.data(), n);
    int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

std::string runOk(const std::string& command) {
    CommandResult r = run(command);
    EXPECT_EQ(r.exitCode, 0) << command << "\n" << r.output;
    return r.output;
}

std::vector<uint8_t> readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void writeFile(const fs::path& path, const std::string& text) {
    writeFile(path, std::vector<uint8_t>(text.begin(), text.end()));
}

std::vector<uint8_t> patternBytes(size_t size, uint32_t seed) {
    std::mt19937 gen(seed);
    std::vector<uint8_t> bytes(size);
    for (auto& b : bytes) b = static_cast<uint8_t>(gen());
    return bytes;
}

void makeFatImage(const fs::path& image, int kilobytes, const std::string& label) {
    std::string cmd = "mkfs.fat -C -F 12";
    if (!label.empty()) cmd += " -n " + quote(label);
    // mkfs.fat picks the floppy geometry from the size.
    runOk(cmd + " " + quote(image.string()) + " " + std::to_string(kilobytes) + " >/dev/null");
}

void mcopyTree(const fs::path& image, const fs::path& hostFolder) {
    runOk("cd " + quote(hostFolder.string()) + " && for f in * ; do mcopy -s -i " + quote(image.string()) +
          " \"$f\" :: || exit 1; done");
}

}  // namespace testing_support
