// A new boot sector, and the volume label entry.
#include <gtest/gtest.h>

#include "boot_sector.h"
#include "image_fixture.h"

namespace orva {
namespace {

using testing::ImageBuilder;
using testing::ImageTest;

class BootAndLabel : public ImageTest {
protected:
    // Root slots holding the label attribute and a live first byte.
    std::vector<uint32_t> labelSlots() {
        std::vector<uint32_t> found;
        const ImageBuilder b = onDisk();
        for (uint32_t i = 0; i < 224; ++i) {
            const auto s = b.slot(1, i);
            if (s[0] != kDeletedMark && s[0] != kEndMark && s[kAttributesAt] == attr::kLabel)
                found.push_back(i);
        }
        return found;
    }
};

TEST_F(BootAndLabel, WriteBootKeepsTheDisksOwnParameters) {
    open(ImageBuilder());
    std::array<uint8_t, 512> other{};
    ImageBuilder k720(testing::k720);
    std::copy_n(k720.bytes().begin(), 512, other.begin());
    std::copy_n("MYOEM123", 8, other.begin() + 3);
    std::copy_n("NEW LABEL  ", 11, other.begin() + 43);
    other[100] = 0x42;
    other[510] = 0x12;
    other[511] = 0x34;
    ASSERT_EQ(state.WriteBoot(other.data()), 0);
    const auto disk = testing_support::readFile(imagePath());
    std::array<uint8_t, 512> shown{};
    DiskGeometry g{};
    ASSERT_EQ(state.GetFDType(&g, shown.data(), 512), 0);
    for (const uint8_t* sector : {disk.data(), static_cast<const uint8_t*>(shown.data())}) {
        EXPECT_EQ(std::string(sector + 3, sector + 11), "MYOEM123");
        EXPECT_EQ(std::string(sector + 43, sector + 54), "NEW LABEL  ");
        EXPECT_EQ(sector[21], 0xF0);  // still a 1.44 MB disk
        EXPECT_EQ(sector[24], 18);
        EXPECT_EQ(std::string(sector + 54, sector + 62), "FAT12   ");
        EXPECT_EQ(sector[100], 0x42);
        EXPECT_EQ(sector[510], 0x55);
        EXPECT_EQ(sector[511], 0xAA);
    }
}

TEST_F(BootAndLabel, LabelIsCreatedRewrittenAndRemoved) {
    ImageBuilder b;
    b.putGroup(1, 0, u"", "FILE    TXT", attr::kArchive, 0, 0);
    open(b);
    const auto before = testing_support::readFile(imagePath());
    EXPECT_EQ(state.WriteVol(""), 0);  // nothing to remove
    EXPECT_EQ(testing_support::readFile(imagePath()), before);
    ASSERT_EQ(state.WriteVol("DATA"), 0);
    ASSERT_EQ(labelSlots(), std::vector<uint32_t>{1});
    const auto bootLabel = [&] {
        const auto disk = testing_support::readFile(imagePath());
        return std::string(disk.begin() + 43, disk.begin() + 54);
    };
    EXPECT_EQ(bootLabel(), "DATA       ");  // the boot sector's copy follows, as fsck.fat expects
    const auto slot = onDisk().slot(1, 1);
    EXPECT_EQ(std::string(slot.begin(), slot.begin() + 11), "DATA       ");
    EXPECT_EQ(slot[26] | slot[27] | slot[28], 0);
    ASSERT_EQ(state.WriteVol("twelve chars"), 0);  // cut to 11, case kept, in the same slot
    EXPECT_EQ(labelSlots(), std::vector<uint32_t>{1});
    const auto again = onDisk().slot(1, 1);
    EXPECT_EQ(std::string(again.begin(), again.begin() + 11), "twelve char");
    ASSERT_EQ(state.WriteVol(""), 0);
    EXPECT_TRUE(labelSlots().empty());
    EXPECT_EQ(onDisk().slot(1, 1)[0], 0xE5);
    EXPECT_EQ(bootLabel(), "NO NAME    ");
}

TEST_F(BootAndLabel, WithoutTheExtendedSignatureTheBootSectorHasNoLabelField) {
    ImageBuilder b;
    b.setBoot(38, 1, 0);
    b.bytes()[43] = 0xEB;  // boot code of an old sector
    open(b);
    ASSERT_EQ(state.WriteVol("DATA"), 0);
    EXPECT_EQ(testing_support::readFile(imagePath())[43], 0xEB);
}

TEST_F(BootAndLabel, ForbiddenBytesLeaveTheWorkingDirectory) {
    ImageBuilder b;
    b.putGroup(1, 0, u"", "SUB        ", attr::kDirectory, 2, 0);
    b.makeDirectory(2, 1);
    open(b);
    ASSERT_EQ(state.SetFWrkDir("\\SUB"), 0);
    EXPECT_EQ(state.WriteVol("\xC4\x8C" "ESKY"), 7);
    EXPECT_EQ(state.WriteVol("TAB\t"), 7);
    EXPECT_EQ(state.workDirCluster(), 2u);
    EXPECT_EQ(state.WriteVol("OK LABEL    \x01"), 0);  // beyond the 11th byte nothing is examined
    EXPECT_EQ(state.workDirCluster(), 1u);
}

TEST_F(BootAndLabel, ALabelAfterTheFirstEndSlotIsNotSeen) {
    ImageBuilder b;
    b.putSlot(1, 5, ImageBuilder::shortEntry("OLD        ", attr::kLabel, 0, 0));
    open(b);
    ASSERT_EQ(state.WriteVol("NEW"), 0);
    EXPECT_EQ(labelSlots(), (std::vector<uint32_t>{0, 5}));
}

TEST_F(BootAndLabel, ReadOnlyImagesAndAFullRoot) {
    ImageBuilder full;
    for (uint32_t i = 0; i < 224; ++i)
        full.putGroup(1, i, u"", "F" + std::to_string(i) + "          ", attr::kArchive, 0, 0);
    open(full);
    EXPECT_EQ(state.WriteVol("DATA"), 1);
    state.CloseFDImg();
    testing_support::fs::permissions(imagePath(), testing_support::fs::perms::owner_read);
    ASSERT_EQ(state.OpenFDImg(imagePath().string(), 1), 1);
    std::array<uint8_t, 512> sector{};
    EXPECT_EQ(state.WriteBoot(sector.data()), 8);
    EXPECT_EQ(state.WriteVol("X"), 8);
    ImageState closed;
    EXPECT_EQ(closed.WriteBoot(sector.data()), 10);
    EXPECT_EQ(closed.WriteVol("X"), 10);
}

}  // namespace
}  // namespace orva
