#include "platform/folder_listing.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "fixture.h"

namespace {

using testing_support::ScratchDir;
using testing_support::writeFile;
namespace fs = std::filesystem;

using Row = std::tuple<std::string, bool, uint64_t>;

std::vector<Row> sortedRows(const std::vector<platform::FolderEntry>& entries) {
    std::vector<Row> rows;
    for (const auto& e : entries) rows.emplace_back(e.name, e.isDirectory, e.size);
    std::sort(rows.begin(), rows.end());
    return rows;
}

TEST(FolderListing, FoldersAndFilesWithLinksFollowed) {
    ScratchDir dir;
    writeFile(dir / "a.txt", std::string("hello"));
    writeFile(dir / ".hidden", std::string("12"));
    writeFile(dir / "empty", std::string());
    fs::create_directory(dir / "sub");
    writeFile(dir / "sub" / "inner", std::string("not listed at this level"));
    fs::create_directory_symlink("sub", dir / "to_sub");
    fs::create_symlink("a.txt", dir / "to_file");
    fs::create_symlink("missing", dir / "dangling");
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);

    const auto entries = platform::listFolderEntries(dir.path().string());
    ASSERT_TRUE(entries.has_value());
    EXPECT_EQ(sortedRows(*entries), (std::vector<Row>{{".hidden", false, 2},
                                                      {"a.txt", false, 5},
                                                      {"empty", false, 0},
                                                      {"sub", true, 0},
                                                      {"to_file", false, 5},
                                                      {"to_sub", true, 0}}));
}

TEST(FolderListing, EmptyFolderIsAnEmptyList) {
    ScratchDir dir;
    const auto entries = platform::listFolderEntries(dir.path().string() + "/");
    ASSERT_TRUE(entries.has_value());
    EXPECT_TRUE(entries->empty());
}

TEST(FolderListing, NothingWhenThePathIsNoReadableFolder) {
    ScratchDir dir;
    writeFile(dir / "file", std::string("x"));
    fs::create_directory_symlink("missing", dir / "dangling");
    for (const char* name : {"missing", "file", "dangling"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(platform::listFolderEntries((dir / name).string()).has_value());
    }
}

}  // namespace
