#include <gtest/gtest.h>
#include <sys/stat.h>

#include "fixture.h"
#include "image_builder.h"
#include "image_state.h"

namespace orva {
namespace {

using testing::ImageBuilder;
using testing_support::patternBytes;
using testing_support::readFile;
namespace fs = std::filesystem;

class CopyOut : public ::testing::Test {
protected:
    void open(const ImageBuilder& b) {
        b.save(dir / "img.img");
        ASSERT_EQ(state.OpenFDImg((dir / "img.img").string(), 1), 0);
    }
    int32_t copy(const std::string& imagePath, const std::string& host = "out") {
        return state.CopyF(imagePath, (dir / host).string());
    }
    std::vector<uint8_t> out(const std::string& host = "out") { return readFile(dir / host); }
    testing_support::ScratchDir dir;
    ImageState state;
};

TEST_F(CopyOut, FilesOfEveryShapeComeOutWhole) {
    ImageBuilder b;
    const auto exact = patternBytes(1024, 1);     // two whole clusters
    const auto odd = patternBytes(1500, 2);       // fragmented: 10, 7, 12
    const auto longer = patternBytes(512, 3);     // chain longer than the size
    const auto shorter = patternBytes(700, 4);    // size claims more than the chain holds
    b.putGroup(1, 0, u"", "EXACT   BIN", attr::kArchive, 2, 1024);
    b.chain({2, 3});
    b.putData(2, exact);
    uint32_t next = b.putGroup(1, 1, u"Fragmented file.bin", "FRAGME~1BIN", attr::kArchive, 10, 1500);
    b.chain({10, 7, 12});
    b.putData(10, {odd.begin(), odd.begin() + 512});
    b.putData(7, {odd.begin() + 512, odd.begin() + 1024});
    b.putData(12, {odd.begin() + 1024, odd.end()});
    next = b.putGroup(1, next, u"", "LONGER  BIN", attr::kArchive, 20, 512);
    b.chain({20, 21, 22});
    b.putData(20, longer);
    b.putData(21, std::vector<uint8_t>(1024, 0x99));
    next = b.putGroup(1, next, u"", "SHORTER BIN", attr::kArchive, 30, 2000);
    b.chain({30, 31});
    b.putData(30, shorter);
    next = b.putGroup(1, next, u"", "EMPTY      ", attr::kArchive, 0, 0);
    b.putGroup(1, next, u"", "DIR        ", attr::kDirectory, 40, 0);
    b.makeDirectory(40, 1);
    open(b);
    EXPECT_EQ(copy("EXACT.BIN"), 0);
    EXPECT_EQ(out(), exact);
    EXPECT_EQ(copy("\\Fragmented file.bin"), 0);
    EXPECT_EQ(out(), odd);
    EXPECT_EQ(copy("LONGER.BIN"), 0);
    EXPECT_EQ(out(), longer);
    EXPECT_EQ(copy("SHORTER.BIN"), 0);
    const auto got = out();
    ASSERT_EQ(got.size(), 1024u);  // the chain's clusters, the last one whole
    EXPECT_EQ(std::vector<uint8_t>(got.begin(), got.begin() + 700), shorter);
    EXPECT_EQ(copy("EMPTY"), 0);
    EXPECT_TRUE(out().empty());
    EXPECT_EQ(copy("DIR"), 0);  // a directory without its backslash is an empty file
    EXPECT_TRUE(out().empty());
}

TEST_F(CopyOut, ResultsForBadPathsAndBadEntries) {
    ImageBuilder b;
    b.putGroup(1, 0, u"", "GOOD    TXT", attr::kArchive, 2, 5);
    b.setFat(2, 0xFFF);
    b.putGroup(1, 1, u"", "BEYOND  TXT", attr::kArchive, 3000, 5);
    b.putGroup(1, 2, u"", "LOOP    TXT", attr::kArchive, 3, 100000);
    b.chain({3, 4});
    b.setFat(4, 3);
    b.putGroup(1, 3, u"", "BROKEN  TXT", attr::kArchive, 5, 2000);
    b.setFat(5, 0);  // runs into a free cluster
    b.putGroup(1, 4, u"", "NOCLUST TXT", attr::kArchive, 0, 50);
    b.putGroup(1, 5, u"", "TOFAR   TXT", attr::kArchive, 6, 2000);
    b.setFat(6, 2849);  // just past the last cluster: ends the chain
    open(b);
    struct Row {
        const char* path;
        int32_t expected;
    } rows[] = {
        {"GOOD.TXT", 0},   {"\\", 5},          {"\\DIR\\", 5},   {"MISSING.TXT", 4}, {"GOOD.TXT\\X", 4},
        {"BEYOND.TXT", 3}, {"NOCLUST.TXT", 3}, {"LOOP.TXT", 1},  {"BROKEN.TXT", 1},  {"TOFAR.TXT", 0},
    };
    for (const Row& r : rows) EXPECT_EQ(copy(r.path), r.expected) << r.path;
    EXPECT_LE(out().size(), 2847u * 512);
}

TEST_F(CopyOut, AReadPastTheEndOfAShortImageKeepsTheWholeClustersBeforeIt) {
    ImageBuilder b;
    const auto data = patternBytes(1536, 5);
    b.putGroup(1, 0, u"", "CUT     BIN", attr::kArchive, 2, 1536);
    b.chain({2, 3, 4});
    b.putData(2, data);
    b.save(dir / "img.img");
    fs::resize_file(dir / "img.img", b.clusterOffset(4) + 100);
    ASSERT_EQ(state.OpenFDImg((dir / "img.img").string(), 1), 4);
    EXPECT_EQ(copy("CUT.BIN"), 1);
    EXPECT_EQ(out(), std::vector<uint8_t>(data.begin(), data.begin() + 1024));
}

TEST_F(CopyOut, HostPathsThatAreNoPlainFile) {
    ImageBuilder b;
    b.putGroup(1, 0, u"", "GOOD    TXT", attr::kArchive, 2, 5);
    b.setFat(2, 0xFFF);
    b.putData(2, {'h', 'e', 'l', 'l', 'o'});
    open(b);
    fs::create_directory(dir / "folder");
    EXPECT_EQ(copy("GOOD.TXT", "folder"), 2);
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    EXPECT_EQ(copy("GOOD.TXT", "fifo"), 2);  // refused, without blocking
    EXPECT_EQ(copy("GOOD.TXT", "no/such/folder"), 2);
    EXPECT_EQ(copy("GOOD.TXT", "img.img"), 2);  // the open image itself is locked
    EXPECT_EQ(readFile(dir / "img.img").size(), 1474560u);
    testing_support::writeFile(dir / "old", std::string(5000, 'x'));
    EXPECT_EQ(copy("GOOD.TXT", "old"), 0);
    EXPECT_EQ(out("old"), (std::vector<uint8_t>{'h', 'e', 'l', 'l', 'o'}));
}

TEST_F(CopyOut, WorksOnReadOnlyImagesAndLargeClusters) {
    // 4096-byte sectors, 2 per cluster: 8 KB clusters.
    ImageBuilder b({4096, 2, 1, 2, 224, 640, 0xF0, 1, 4, 2});
    const auto data = patternBytes(20000, 9);
    b.putGroup(1, 0, u"Big clusters", "BIGCLU~1   ", attr::kArchive, 2, 20000);
    b.chain({2, 3, 4});
    b.putData(2, data);
    b.save(dir / "big.img");
    fs::permissions(dir / "big.img", fs::perms::all, fs::perm_options::remove);
    fs::permissions(dir / "big.img", fs::perms::owner_read, fs::perm_options::add);
    ASSERT_EQ(state.OpenFDImg((dir / "big.img").string(), 1), 1);
    EXPECT_EQ(copy("Big clusters"), 0);
    EXPECT_EQ(out(), data);
}

}  // namespace
}  // namespace orva
