// The exports through libORVA.so, as a program that loads the library calls them.
#include <gtest/gtest.h>

#include "entry_attributes.h"
#include "fixture.h"
#include "image_builder.h"
#include "orva.h"

namespace {

using orva::testing::ImageBuilder;

TEST(Exports, NothingOpenAnswersNineOrTen) {
    ASSERT_EQ(CloseFDImg(), 0);
    DiskGeometry g;
    DirEntry* e = nullptr;
    int32_t n = 0;
    uint32_t u = 0;
    uint8_t slot[32];
    EXPECT_EQ(GetFDType(&g, nullptr, 0), 9);
    EXPECT_EQ(GetLastErr(&n, slot, &u), 9);
    EXPECT_EQ(BlockTestFol(2), 9);
    EXPECT_EQ(FreeSpace(&u), 10);
    EXPECT_EQ(FindInDir("A", 1, &e, nullptr), 10);
    EXPECT_EQ(FindMInDir("*", 1, &e, &n), 10);
    EXPECT_EQ(GetFDirEntry("\\", &e, &n, nullptr), 10);
    EXPECT_EQ(GetFWDirEntry(0, slot), 10);
    EXPECT_EQ(SetFWrkDir("\\"), 10);
    EXPECT_EQ(CopyF("A", "/tmp/x"), 10);
    EXPECT_EQ(OpenFDImg(nullptr, 1), 10);
}

TEST(Exports, AnEntryIsFollowedByItsLongNameParts) {
    testing_support::ScratchDir dir;
    ImageBuilder b;
    b.putGroup(1, 0, u"A long file name.txt", "ALONGF~1TXT", orva::attr::kArchive, 0, 0);
    b.save(dir / "img.img");
    ASSERT_EQ(OpenFDImg((dir / "img.img").c_str(), 1), 0);
    DirEntry* e = nullptr;
    int32_t slots = 0;
    ASSERT_EQ(FindMInDir("*", 1, &e, &slots), 0);
    ASSERT_EQ(slots, 3);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(e->name), 11), "ALONGF~1TXT");
    const auto* part1 = reinterpret_cast<const LongNamePart*>(e + 1);
    const auto* part2 = reinterpret_cast<const LongNamePart*>(e + 2);
    EXPECT_EQ(part1->sequence, 1);
    EXPECT_EQ(part2->sequence, 0x42);
    EXPECT_EQ(part1->chars1[0], 'A');
    EXPECT_EQ(FindMInDir("", 0, &e, &slots), 1);
    EXPECT_EQ(GetFDirEntry(nullptr, &e, &slots, nullptr), 1);
    EXPECT_EQ(CloseFDImg(), 0);
}

}  // namespace
