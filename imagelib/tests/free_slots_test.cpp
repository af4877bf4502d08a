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
    // count slots from the slot index on, in one cluster (1: the root).
    static std::vector<uint64_t> offsets(const ImageBuilder& b, uint32_t cluster, uint32_t index,
                                         uint32_t count) {
        std::vector<uint64_t> out;
        for (uint32_t i = 0; i < count; ++i) out.push_back(b.slotOffset(cluster, index + i));
        return out;
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
    EXPECT_EQ(state.FindFreeSlots(1, 1).offsets, offsets(b, 1, 1, 1));
    EXPECT_EQ(state.FindFreeSlots(1, 3).offsets, offsets(b, 1, 4, 3));
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
    EXPECT_TRUE(state.FindFreeSlots(1, 1).offsets.empty());
    EXPECT_TRUE(state.FindFreeSlots(1, 225).offsets.empty());
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
    const SlotRun run = state.FindFreeSlots(2, 1);
    EXPECT_EQ(run.offsets, offsets(b, 4, 0, 1));
    EXPECT_EQ(run.clustersAdded, 1u);
    // Zeroed on disk first; the table links it only when the caller flushes it.
    for (uint32_t i = 0; i < 16; ++i) EXPECT_EQ(onDisk().slot(4, i), std::vector<uint8_t>(32, 0)) << i;
    EXPECT_EQ(onDisk().fat(2), 0xFFFu);
    ASSERT_TRUE(state.flushFat());
    ImageBuilder after = onDisk();
    EXPECT_EQ(after.fat(2), 4u);
    EXPECT_EQ(after.fat(4), 0xFFFu);
    EXPECT_EQ(after.fat(4, 1), 0xFFFu);  // both copies
}

// A long name of 255 characters takes 21 slots, more than a cluster of 16 holds: the run goes on into the
// folder's next cluster, or into as many new ones as it needs.
TEST_F(FreeSlots, ARunGoesOnFromClusterToCluster) {
    struct Row {
        const char* name;
        uint32_t takenInFirst;  // slots after "." and ".." in the folder's one cluster, cluster 2
        int32_t count;
        std::vector<std::pair<uint32_t, uint32_t>> runs;  // where each run of slots begins: cluster, slot
        std::vector<uint32_t> lengths;                    // and how many slots it has
        uint32_t added;
    } rows[] = {
        {"the rest of the cluster and a new one", 0, 21, {{2, 2}, {4, 0}}, {14, 7}, 1},
        {"a full cluster and two new ones", 14, 21, {{4, 0}, {5, 0}}, {16, 5}, 2},
        {"all within the cluster", 0, 14, {{2, 2}}, {14}, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        ImageBuilder b;
        b.putGroup(1, 0, u"", "SUB        ", attr::kDirectory, 2, 0);
        b.makeDirectory(2, 1);
        for (uint32_t i = 0; i < r.takenInFirst; ++i)
            b.putGroup(2, 2 + i, u"", "F" + std::to_string(i) + "          ", attr::kArchive, 0, 0);
        b.setFat(3, 0xFFF);  // taken: new clusters are the first free ones, 4 and on
        reopen(b);
        const SlotRun run = state.FindFreeSlots(2, r.count);
        std::vector<uint64_t> expected;
        for (size_t i = 0; i < r.runs.size(); ++i) {
            const auto more = offsets(b, r.runs[i].first, r.runs[i].second, r.lengths[i]);
            expected.insert(expected.end(), more.begin(), more.end());
        }
        EXPECT_EQ(run.offsets, expected);
        EXPECT_EQ(run.clustersAdded, r.added);
        ASSERT_TRUE(state.flushFat());
        const ImageBuilder after = onDisk();
        uint32_t last = 2;
        for (uint32_t n = 0; n < r.added; ++n) {
            EXPECT_EQ(after.fat(last), 4 + n) << "linked in order";
            last = 4 + n;
        }
        EXPECT_EQ(after.fat(last), 0xFFFu);
        state.CloseFDImg();
    }
}

TEST_F(FreeSlots, AFullImageGivesNoRoomAndWritesNothing) {
    ImageBuilder b;
    b.putGroup(1, 0, u"", "SUB        ", attr::kDirectory, 2, 0);
    b.makeDirectory(2, 1);
    for (uint32_t i = 2; i < 16; ++i)
        b.putGroup(2, i, u"", "F" + std::to_string(i) + "          ", attr::kArchive, 0, 0);
    for (uint32_t c = 3; c < 2849; ++c) b.setFat(c, 0xFFF);
    reopen(b);
    EXPECT_TRUE(state.FindFreeSlots(2, 1).offsets.empty());
    EXPECT_EQ(onDisk().bytes(), b.bytes());
    int64_t offset = 0;
    EXPECT_EQ(state.AllocCluster(2, offset), 0u);
}

}  // namespace
}  // namespace orva
