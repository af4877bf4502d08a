#include "cli_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

namespace cli_test {

using testing_support::patternBytes;
using testing_support::quote;
using testing_support::readFile;
using testing_support::run;
using testing_support::runOk;
using testing_support::writeFile;

CommandResult orva(const std::string& arguments) {
    return run(quote(ORVA_CLI_PATH) + " " + arguments);
}

CommandResult orvaStdout(const std::string& arguments) {
    return run("( " + quote(ORVA_CLI_PATH) + " " + arguments + " 2>/dev/null )");
}

void buildSampleTree(const fs::path& root) {
    const auto file = [&](const std::string& relative, size_t size, uint32_t seed) {
        fs::create_directories((root / relative).parent_path());
        writeFile(root / relative, patternBytes(size, seed));
    };
    file("Příliš žluťoučký kůň.txt", 700, 1);
    file("README.TXT", 100, 2);
    file("empty", 0, 3);
    file("A long file name with spaces.text", 1500, 4);
    file("Docs/c512.bin", 512, 5);
    file("Docs/c1024.bin", 1024, 6);
    file("Docs/Sub Folder/big.bin", 5000, 7);
    file("Docs/Sub Folder/Deeper/nulový soubor.dat", 0, 8);
    file("Docs/Sub Folder/Deeper/NOTES.MD", 33, 9);
    fs::create_directories(root / "EMPTYDIR");
    // More entries than one cluster of a subdirectory holds on either floppy.
    for (int i = 0; i < 40; ++i) file("Many/file number " + std::to_string(i) + ".txt", 10u + i, 100u + i);
}

void makeImageOf(const fs::path& image, int kilobytes, const fs::path& hostFolder) {
    testing_support::makeFatImage(image, kilobytes, "SAMPLE");
    testing_support::mcopyTree(image, hostFolder);
}

namespace {

testing_support::ScratchDir& sampleFolder() {
    static testing_support::ScratchDir folder;
    return folder;
}

}  // namespace

const fs::path& sampleTree() {
    static const fs::path tree = [] {
        const fs::path t = sampleFolder() / "tree";
        buildSampleTree(t);
        return t;
    }();
    return tree;
}

const fs::path& sampleImage(int kilobytes) {
    static std::map<int, fs::path> images;
    auto [it, added] =
        images.try_emplace(kilobytes, sampleFolder() / ("sample" + std::to_string(kilobytes) + ".img"));
    if (added) makeImageOf(it->second, kilobytes, sampleTree());
    return it->second;
}

namespace {

std::set<std::string> lines(const std::string& text) {
    std::set<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty()) out.insert(line);
    }
    return out;
}

// Skips n UTF-8 characters.
size_t skipCodePoints(const std::string& s, size_t at, size_t n) {
    while (n > 0 && at < s.size()) {
        ++at;
        while (at < s.size() && (static_cast<uint8_t>(s[at]) & 0xC0) == 0x80) ++at;
        --n;
    }
    return at;
}

}  // namespace

void newImage(const fs::path& image, const std::string& type, const std::string& label) {
    const std::string labelOption = label.empty() ? "" : " --label " + quote(label);
    const CommandResult made = orva("new --type " + type + labelOption + " " + quote(image.string()));
    ASSERT_EQ(made.exitCode, 0) << made.output;
}

CommandResult fsck(const fs::path& image) {
    return run("fsck.fat -n " + quote(image.string()));
}

std::string mattribLetters(const fs::path& image, const std::string& mtoolsPath) {
    const std::string out = runOk("mattrib -i " + quote(image.string()) + " " + quote(mtoolsPath));
    std::string letters;
    for (char c : out.substr(0, out.find("::"))) {
        if (c != ' ') letters += c;
    }
    return letters;
}

void mcopyOut(const fs::path& image, const fs::path& hostFolder) {
    fs::create_directories(hostFolder);
    runOk("mcopy -s -n -i " + quote(image.string()) + " :: " + quote(hostFolder.string() + "/"));
}

std::set<std::string> mdirPaths(const fs::path& image) {
    return lines(runOk("mdir -/ -b -i " + quote(image.string()) + " ::"));
}

std::set<std::string> lsPaths(const std::string& lsOutput) {
    // "rhsda YYYY-MM-DD HH:MM       size " then a 12-character alias column and the name.
    constexpr size_t kNameAt = 5 + 1 + 16 + 1 + 10 + 1;
    constexpr size_t kAliasColumns = 12 + 1;
    std::set<std::string> out;
    std::string folder;
    std::istringstream in(lsOutput);
    for (std::string line; std::getline(in, line);) {
        if (line.empty()) continue;
        if (line[0] == '\\' && line.back() == ':') {
            folder = line.substr(0, line.size() - 1);
            std::replace(folder.begin(), folder.end(), '\\', '/');
            if (folder.back() != '/') folder += '/';
            continue;
        }
        const std::string name = line.substr(skipCodePoints(line, kNameAt, kAliasColumns));
        if (name == "." || name == "..") continue;
        const bool isFolder = line.find("<DIR>") != std::string::npos;
        out.insert("::" + folder + name + (isFolder ? "/" : ""));
    }
    return out;
}

std::vector<std::string> treeDifferences(const fs::path& expected, const fs::path& actual) {
    const auto contents = [](const fs::path& root) {
        std::map<std::string, std::vector<uint8_t>> all;
        for (const auto& e : fs::recursive_directory_iterator(root)) {
            const std::string key = fs::relative(e.path(), root).string();
            all[key] = e.is_directory() ? bytesOf("<folder>") : readFile(e.path());
        }
        return all;
    };
    const auto a = contents(expected);
    const auto b = contents(actual);
    std::vector<std::string> diffs;
    for (const auto& [path, bytes] : a) {
        const auto it = b.find(path);
        if (it == b.end())
            diffs.push_back("missing: " + path);
        else if (it->second != bytes)
            diffs.push_back("differs: " + path);
    }
    for (const auto& [path, bytes] : b) {
        if (!a.contains(path)) diffs.push_back("unexpected: " + path);
    }
    return diffs;
}

size_t findOnce(const std::vector<uint8_t>& bytes, const std::vector<uint8_t>& what) {
    const auto first = std::search(bytes.begin(), bytes.end(), what.begin(), what.end());
    EXPECT_NE(first, bytes.end()) << "byte run not found";
    if (first == bytes.end()) return 0;
    EXPECT_EQ(std::search(first + 1, bytes.end(), what.begin(), what.end()), bytes.end())
        << "byte run not unique";
    return static_cast<size_t>(first - bytes.begin());
}

void patchOnce(const fs::path& file, const std::vector<uint8_t>& from, const std::vector<uint8_t>& to) {
    std::vector<uint8_t> bytes = readFile(file);
    const size_t at = findOnce(bytes, from);
    std::copy(to.begin(), to.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
    writeFile(file, bytes);
}

std::vector<uint8_t> bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

std::vector<uint8_t> utf16Bytes(const std::string& ascii) {
    std::vector<uint8_t> out;
    for (char c : ascii) {
        out.push_back(static_cast<uint8_t>(c));
        out.push_back(0);
    }
    return out;
}

}  // namespace cli_test
