#pragma once
// Runs orva, builds host trees worth putting on a floppy, and turns listings into comparable sets of paths.
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "fixture.h"

namespace cli_test {

namespace fs = std::filesystem;
using testing_support::CommandResult;

// orva with the given arguments (already quoted for the shell); stdout and stderr together.
CommandResult orva(const std::string& arguments);
// The same, stdout only; stderr goes to errors when given.
CommandResult orvaStdout(const std::string& arguments);

// Long, Czech, nested, empty and 8.3 names; files of 0 bytes and of exact cluster multiples; one folder too
// big for one cluster.
void buildSampleTree(const fs::path& folder);
// A FAT12 image of the given size, labelled SAMPLE, holding the folder's contents.
void makeImageOf(const fs::path& image, int kilobytes, const fs::path& hostFolder);
// The sample tree and an image of it, built once per test run; tests that change an image copy it first.
const fs::path& sampleTree();
const fs::path& sampleImage(int kilobytes);

// An empty image made by orva new ("1.44M", "720K", "1.2M", "360K"); no label when label is empty.
void newImage(const fs::path& image, const std::string& type, const std::string& label);
// fsck.fat -n: exit code 0 when the file system is clean.
CommandResult fsck(const fs::path& image);
// The attribute letters mattrib shows for an entry ("AR", "SH" ...), blanks left out.
std::string mattribLetters(const fs::path& image, const std::string& mtoolsPath);
// Copies the whole image out with mcopy -s into a new host folder.
void mcopyOut(const fs::path& image, const fs::path& hostFolder);

// "::/dir/", "::/dir/file" as mdir -/ -b prints them.
std::set<std::string> mdirPaths(const fs::path& image);
// The same form from the output of orva ls -R; the dot entries are left out.
std::set<std::string> lsPaths(const std::string& lsOutput);
// Paths below two host folders that are missing on one side or differ in type or bytes.
std::vector<std::string> treeDifferences(const fs::path& expected, const fs::path& actual);

// Replaces the only occurrence of a byte run in a file; fails the test when it is not there exactly once.
void patchOnce(const fs::path& file, const std::vector<uint8_t>& from, const std::vector<uint8_t>& to);
// Offset of the only occurrence.
size_t findOnce(const std::vector<uint8_t>& bytes, const std::vector<uint8_t>& what);
std::vector<uint8_t> bytesOf(const std::string& text);
std::vector<uint8_t> utf16Bytes(const std::string& ascii);

}  // namespace cli_test
