// Deleting entries, making folders and setting attributes.
#include <gtest/gtest.h>

#include "image_fixture.h"

namespace orva {
namespace {

using testing::ImageBuilder;
using testing::ImageTest;

// \DOCS (cluster 2) with REPORT.TXT (clusters 3-4, read-only) and \DOCS\EMPTY (cluster 5, only dot entries);
// in the root a long-named file (cluster 6) and an empty file.
ImageBuilder sampleTree() {
    ImageBuilder b;
    uint32_t i = b.putGroup(1, 0, u"", "DOCS       ", attr::kDirectory, 2, 0);
    i = b.putGroup(1, i, u"A long file name.txt", "ALONGF~1TXT", attr::kArchive, 6, 100);
    b.putGroup(1, i, u"", "ZERO       ", attr::kArchive, 0, 0);
    b.makeDirectory(2, 1);
    b.putGroup(2, 2, u"", "REPORT  TXT", 0x21, 3, 1000);
    b.chain({3, 4});
    b.putGroup(2, 3, u"", "EMPTY      ", attr::kDirectory, 5, 0);
    b.makeDirectory(5, 2);
    b.setFat(6, 0xFFF);
    return b;
}

class EntryEdit : public ImageTest {
protected:
    void SetUp() override { open(sampleTree()); }
    int32_t find(const std::string& path) {
        DirEntry* e = nullptr;
        int32_t slots = 0;
        return state.GetFDirEntry(path, &e, &slots, nullptr);
    }
    DirEntry entry(const std::string& path) {
        DirEntry* e = nullptr;
        int32_t slots = 0;
        EXPECT_EQ(state.GetFDirEntry(path, &e, &slots, nullptr), 0) << path;
        return e ? *e : DirEntry{};
    }
};

TEST_F(EntryEdit, KillFResults) {
    struct Row {
        const char* path;
        uint8_t force;
        int32_t expected;
    } rows[] = {
        {"\\", 0, 3},          {"\\NOPE", 0, 4},           {"\\DOCS\\REPORT.TXT", 0, 1},
        {"\\DOCS", 0, 2},      {"\\DOCS\\REPORT.TXT", 1, 0}, {"\\DOCS\\EMPTY", 0, 0},
        {"\\DOCS", 0, 0},      {"\\ZERO", 0, 0},
    };
    for (const Row& r : rows) EXPECT_EQ(state.KillF(r.path, r.force), r.expected) << r.path;
    EXPECT_EQ(find("\\DOCS"), 1);
    ImageBuilder after = onDisk();
    for (uint32_t c : {2u, 3u, 4u, 5u}) EXPECT_EQ(after.fat(c), 0u) << c;
    EXPECT_EQ(after.fat(6), 0xFFFu);
    EXPECT_EQ(freeSpace(), freeInTable());
}

TEST_F(EntryEdit, KillFMarksEveryPartAndChangesNothingElse) {
    const ImageBuilder before = onDisk();
    ASSERT_EQ(state.KillF("\\A long file name.txt", 0), 0);
    const ImageBuilder after = onDisk();
    for (uint32_t i = 1; i <= 3; ++i) {  // two parts and the entry
        auto expected = before.slot(1, i);
        expected[0] = 0xE5;
        EXPECT_EQ(after.slot(1, i), expected) << i;
    }
    EXPECT_EQ(after.fat(6), 0u);
    EXPECT_EQ(after.fat(6, 1), 0u);
}

TEST_F(EntryEdit, CrossLinkedChainsKeepTheFreeCountTrue) {
    ImageBuilder b = sampleTree();
    // A second file whose chain runs into REPORT.TXT's clusters.
    b.putGroup(1, 5, u"", "CROSS   BIN", attr::kArchive, 10, 2000);
    b.chain({10, 3});
    open(b);
    ASSERT_EQ(state.CopyF("\\CROSS.BIN", (dir / "out").string()), 0);
    ASSERT_EQ(state.KillF("\\CROSS.BIN", 0), 0);
    EXPECT_EQ(freeSpace(), freeInTable());
    ASSERT_EQ(state.KillF("\\DOCS\\REPORT.TXT", 1), 0);  // its chain now starts at a free cluster
    EXPECT_EQ(freeSpace(), freeInTable());
}

// Found by fuzzing: an image shorter than its boot sector says grew when a new folder's cluster lay past its end.
TEST_F(EntryEdit, AShortImageNeverGrows) {
    state.CloseFDImg();
    ImageBuilder b = sampleTree();
    b.bytes().resize(b.clusterOffset(7));  // clusters 7 and up lie past the end
    b.save(imagePath());
    ASSERT_EQ(state.OpenFDImg(imagePath().string(), 1), 4);
    EXPECT_EQ(state.MkDir("\\NEW"), 5);
    const auto host = hostFile("h.bin", testing_support::patternBytes(700, 1));
    EXPECT_EQ(state.CopyT(host.string(), "\\NEW.BIN"), 5);
    EXPECT_EQ(testing_support::fs::file_size(imagePath()), b.clusterOffset(7));
    EXPECT_EQ(freeSpace(), freeInTable());
}

TEST_F(EntryEdit, KillFOfAnEmptyFileWritesNoTable) {
    const auto before = testing_support::readFile(imagePath());
    ASSERT_EQ(state.KillF("\\ZERO", 0), 0);
    const auto after = testing_support::readFile(imagePath());
    EXPECT_TRUE(std::equal(before.begin(), before.begin() + 9728, after.begin()));
}

TEST_F(EntryEdit, MkDirMakesDotEntriesAndNames) {
    ASSERT_EQ(state.MkDir("\\NEW"), 0);
    const DirEntry top = entry("\\NEW");
    ASSERT_EQ(state.MkDir("\\NEW\\deeper folder\\"), 0);  // a trailing backslash changes nothing
    const DirEntry deeper = entry("\\NEW\\deeper folder");
    const ImageBuilder after = onDisk();
    const DirEntry dot = slotEntry(*reinterpret_cast<const Slot*>(after.slot(top.firstCluster, 0).data()));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(dot.name), 11), ".          ");
    EXPECT_EQ(dot.firstCluster, top.firstCluster);
    EXPECT_EQ(dot.attributes, 0x10);
    const auto dotDot = after.slot(top.firstCluster, 1);
    EXPECT_EQ(std::string(dotDot.begin(), dotDot.begin() + 11), "..         ");
    EXPECT_EQ(dotDot[26] | (dotDot[27] << 8), 0);  // the parent is the root
    const auto deeperDotDot = after.slot(deeper.firstCluster, 1);
    EXPECT_EQ(deeperDotDot[26] | (deeperDotDot[27] << 8), top.firstCluster);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(deeper.name), 8), "DEEPER~1");
    EXPECT_EQ(after.fat(top.firstCluster), 0xFFFu);
    EXPECT_EQ(freeSpace(), freeInTable());
    ASSERT_EQ(state.SetFWrkDir("\\NEW"), 0);
    EXPECT_EQ(state.MkDir("HERE"), 0);
    EXPECT_EQ(find("\\NEW\\HERE"), 0);
}

TEST_F(EntryEdit, MkDirRefusals) {
    struct Row {
        const char* path;
        int32_t expected;
    } rows[] = {{"", 7}, {"\\", 7}, {"\\A*B", 7}, {"\\A/B", 7}, {"\\NOPE\\X", 4}, {"\\ZERO\\X", 4}};
    for (const Row& r : rows) EXPECT_EQ(state.MkDir(r.path), r.expected) << r.path;
}

TEST_F(EntryEdit, MkDirOnAFullDiskOrRoot) {
    ImageBuilder full = sampleTree();
    for (uint32_t c = 7; c < 2849; ++c) full.setFat(c, 0xFFF);
    open(full);
    EXPECT_EQ(state.MkDir("\\NEW"), 3);
    EXPECT_EQ(freeSpace(), freeInTable());
    ImageBuilder fullRoot;
    for (uint32_t i = 0; i < 224; ++i)
        fullRoot.putGroup(1, i, u"", "F" + std::to_string(i) + "          ", attr::kArchive, 0, 0);
    open(fullRoot);
    EXPECT_EQ(state.MkDir("\\NEW"), 3);
}

TEST_F(EntryEdit, SetAttribKeepsTheKindOfEntry) {
    ASSERT_EQ(state.SetAttrib("\\DOCS", 0xFF), 0);
    EXPECT_EQ(entry("\\DOCS").attributes, 0x37);
    ASSERT_EQ(state.SetAttrib("\\DOCS\\REPORT.TXT", 0), 0);
    EXPECT_EQ(entry("\\DOCS\\REPORT.TXT").attributes, 0);
    ASSERT_EQ(state.SetAttrib("\\A long file name.txt", 0x03), 0);
    EXPECT_EQ(onDisk().slot(1, 3)[11], 0x03);  // the 8.3 entry after the two parts
    EXPECT_EQ(onDisk().slot(1, 1)[11], 0x0F);
    struct Row {
        const char* path;
        int32_t expected;
    } rows[] = {{"", 1}, {"\\", 2}, {"\\NOPE", 1}, {"\\ZERO\\X", 4}, {"\\DOCS\\\\X", 5}};
    for (const Row& r : rows) EXPECT_EQ(state.SetAttrib(r.path, 1), r.expected) << r.path;
}

TEST_F(EntryEdit, ReadOnlyAndClosedImagesAreRefused) {
    ImageState closed;
    EXPECT_EQ(closed.KillF("\\X", 0), 10);
    EXPECT_EQ(closed.MkDir("\\X"), 10);
    EXPECT_EQ(closed.SetAttrib("\\X", 0), 10);
    state.CloseFDImg();
    testing_support::fs::permissions(imagePath(), testing_support::fs::perms::owner_read);
    ASSERT_EQ(state.OpenFDImg(imagePath().string(), 1), 1);
    EXPECT_EQ(state.KillF("\\ZERO", 1), 8);
    EXPECT_EQ(state.MkDir("\\X"), 8);
    EXPECT_EQ(state.SetAttrib("\\ZERO", 0), 8);
}

}  // namespace
}  // namespace orva
