#include <gtest/gtest.h>

#include "fixture.h"
#include "image_builder.h"
#include "image_state.h"

namespace orva {
namespace {

using testing::ImageBuilder;

class FreeSlots : public ::testing::Test {
protected:
    ImageBuilder reopen(const ImageBuilder& b) {
        b.save(dir / "img.img");
        EXPECT_EQ(state.OpenFDImg((dir / "img.img").string(), 1), 0);
        return b;
    }
    ImageBuilder onDisk() {
        ImageBuilder b;
        b.bytes() = testing_support::readFile(dir / "img.img");
        return b;
    }
    testing_support::ScratchDir dir;
    ImageState state;
};

TEST_F(FreeSlots, RunsOfDeletedAndEndSlots) {
    ImageBuilder b;
    b.putGroup(1, 0, u"", "A          ", attr::kArchive, 0, 0);
    std::vector<uint8_t> deleted = ImageBuilder::shortEntry("B          ", attr::kArchive, 0, 0);
    deleted[0] = kDeletedMark;
    b.putSlot(1, 1, deleted);
    b.putGroup(1, 2, u"", "C          ", attr::kArchive, 0, 0);
    b.putSlot(1, 3, std::vector<uint8_t>(32, 0xF6));  // filler is not free
    reopen(b);
    EXPECT_EQ(state.FindFreeSlots(1, 1), b.slotOffset(1, 1));
    EXPECT_EQ(state.FindFreeSlots(1, 3), b.slotOffset(1, 4));
    // End slots passed on the way are marked deleted at once; those beyond the run stay.
    ImageBuilder after = onDisk();
    for (uint32_t i = 4; i < 7; ++i) EXPECT_EQ(after.slot(1, i)[0], 0xE5) << i;
    EXPECT_EQ(after.slot(1, 7)[0], 0x00);
    EXPECT_EQ(after.slot(1, 3)[0], 0xF6);
}

TEST_F(FreeSlots, AFullRootHasNoRoom) {
    ImageBuilder b;
    for (uint32_t i = 0; i < 224; ++i)
        b.putGroup(1, i, u"", "F" + std::to_string(i) + "          ", attr::kArchive, 0, 0);
    reopen(b);
    EXPECT_EQ(state.FindFreeSlots(1, 1), 0);
    EXPECT_EQ(state.FindFreeSlots(1, 225), 0);
}

TEST_F(FreeSlots, AFullSubdirectoryGrowsByAZeroedCluster) {
    ImageBuilder b;
    b.putGroup(1, 0, u"", "SUB        ", attr::kDirectory, 2, 0);
    b.makeDirectory(2, 1);
    for (uint32_t i = 2; i < 16; ++i)
        b.putGroup(2, i, u"", "F" + std::to_string(i) + "          ", attr::kArchive, 0, 0);
    b.setFat(3, 0xFFF);  // taken: the new cluster is the first free one, 4
    b.putData(4, std::vector<uint8_t>(512, 0x77));
    reopen(b);
    uint32_t freeBefore = 0;
    state.FreeSpace(&freeBefore);
    EXPECT_EQ(state.FindFreeSlots(2, 1), -int64_t{b.clusterOffset(4)});
    // Zeroed on disk first; the table links it only when the caller flushes it.
    for (uint32_t i = 0; i < 16; ++i) EXPECT_EQ(onDisk().slot(4, i), std::vector<uint8_t>(32, 0)) << i;
    EXPECT_EQ(onDisk().fat(2), 0xFFFu);
    ASSERT_TRUE(state.flushFat());
    ImageBuilder after = onDisk();
    EXPECT_EQ(after.fat(2), 4u);
    EXPECT_EQ(after.fat(4), 0xFFFu);
    EXPECT_EQ(after.fat(4, 1), 0xFFFu);  // both copies
    // A request larger than one cluster can never be met and takes nothing.
    EXPECT_EQ(state.FindFreeSlots(2, 17), 0);
    EXPECT_EQ(onDisk().fat(5), 0u);
}

TEST_F(FreeSlots, AFullImageGivesNoRoomAndWritesNothing) {
    ImageBuilder b;
    b.putGroup(1, 0, u"", "SUB        ", attr::kDirectory, 2, 0);
    b.makeDirectory(2, 1);
    for (uint32_t i = 2; i < 16; ++i)
        b.putGroup(2, i, u"", "F" + std::to_string(i) + "          ", attr::kArchive, 0, 0);
    for (uint32_t c = 3; c < 2849; ++c) b.setFat(c, 0xFFF);
    reopen(b);
    EXPECT_EQ(state.FindFreeSlots(2, 1), 0);
    EXPECT_EQ(onDisk().bytes(), b.bytes());
    int64_t offset = 0;
    EXPECT_EQ(state.AllocCluster(2, offset), 0u);
}

}  // namespace
}  // namespace orva
