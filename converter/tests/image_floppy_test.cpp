#include <gtest/gtest.h>

#include "floppy_fixture.h"
#include "image_floppy.h"

namespace {

using namespace converter;
using namespace floppy_testing;

TEST(ImageFloppy, AnswersOnlyAsItsOwnDrive) {
    auto drive = scenarioDrive("1.44M");
    ImageFloppy floppy(*drive, "B:");
    EXPECT_EQ(floppy.OpenDrive("A:"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(floppy.LastError(), ERROR_FILE_NOT_FOUND);
    const FloppyHandle h = floppy.OpenDrive("b:");
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(floppy.CloseDrive(h));
    DiskGeometry g{};
    EXPECT_FALSE(floppy.QueryGeometry(h, 2, g));
    EXPECT_EQ(floppy.LastError(), ERROR_INVALID_HANDLE);
}

TEST(ImageFloppy, TransfersGoAtTheHandlePosition) {
    std::vector<uint8_t> contents;
    auto drive = driveWithPattern(DriveKind::Floppy35HD, hdGeometry(), contents);
    ImageFloppy floppy(*drive);
    OpenedDrive open(floppy, floppy.OpenDrive("A:"));
    auto buffer = alignedBuffer(18432);
    const auto at = [&](size_t offset) {
        return std::equal(buffer.bytes().begin(), buffer.bytes().begin() + 512, contents.begin() + offset);
    };
    uint32_t done = 0;

    ASSERT_TRUE(floppy.ReadSectors(open.handle(), buffer.bytes(), done, 1, ByteOffset{5 * 18432},
                                   512));  // offset not used
    EXPECT_EQ(done, 18432u);
    EXPECT_TRUE(at(0));
    ASSERT_TRUE(floppy.SetDrivePosition(open.handle(), 79 * 18432 + 512));
    ASSERT_TRUE(floppy.ReadSectors(open.handle(), buffer.bytes(), done, 1, ByteOffset{0}, 512));
    EXPECT_EQ(done, 18432u - 512);  // the medium ends there
    EXPECT_TRUE(at(79 * 18432 + 512));
    ASSERT_TRUE(floppy.ReadSectors(open.handle(), buffer.bytes(), done, 1, ByteOffset{0}, 512));
    EXPECT_EQ(done, 0u);

    // A short read moves the position by what came, in whole sectors.
    drive->setShortReadBytes(9300);
    ASSERT_TRUE(floppy.SetDrivePosition(open.handle(), 0));
    for (uint32_t part = 0; part < 2; ++part) {
        ASSERT_TRUE(floppy.ReadSectors(open.handle(), buffer.bytes(), done, 1, ByteOffset{0}, 512));
        ASSERT_EQ(done, 9216u);
        EXPECT_TRUE(at(part * 9216));
    }
}

TEST(ImageFloppy, DeviceTransfersNeedWholeAlignedSectors) {
    auto drive = scenarioDrive("1.44M");
    ImageFloppy floppy(*drive);
    OpenedDrive open(floppy, floppy.OpenDrive("A:"));
    auto buffer = alignedBuffer(4096);
    struct Row {
        uint32_t position;
        size_t from, bytes;
    };
    for (const Row& r : std::vector<Row>{{100, 0, 512}, {0, 0, 500}, {0, 8, 512}}) {
        uint32_t done = 1;
        ASSERT_TRUE(floppy.SetDrivePosition(open.handle(), r.position));
        EXPECT_FALSE(floppy.ReadSectors(open.handle(), buffer.bytes().subspan(r.from, r.bytes), done, 1,
                                        ByteOffset{0}, 512));
        EXPECT_EQ(floppy.LastError(), ERROR_INVALID_PARAMETER);
        EXPECT_FALSE(floppy.WriteSectors(open.handle(), buffer.bytes().subspan(r.from, r.bytes), done,
                                         ByteOffset{0}, 1, 512));
        EXPECT_EQ(done, 0u);
    }
}

}  // namespace
