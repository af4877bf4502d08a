#include <gtest/gtest.h>

#include "emulation/scenario.h"
#include "floppy_fixture.h"
#include "image_floppy.h"
#include "media_types.h"

namespace {

using namespace converter;
using namespace converter::emulation;
using namespace floppy_testing;

std::unique_ptr<EmulatedDrive> scenarioDrive(const std::string& text) {
    std::string error;
    const ScenarioParse p = parseScenario(text);
    EXPECT_TRUE(p.scenario) << p.error;
    auto drive = buildDrive(*p.scenario, error);
    EXPECT_TRUE(drive) << error;
    return drive;
}

TEST(ImageFloppy, OpensOnlyItsOwnDrive) {
    auto drive = scenarioDrive("1.44M");
    ImageFloppy floppy(*drive, "B:");
    EXPECT_EQ(floppy.OpenDrive("A:"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(floppy.LastError(), ERROR_FILE_NOT_FOUND);
    const FloppyHandle h = floppy.OpenDrive("b:");
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(floppy.CloseDrive(h));
    EXPECT_FALSE(floppy.CloseDrive(h));
    EXPECT_EQ(floppy.LastError(), ERROR_INVALID_HANDLE);
    DiskGeometry g{};
    EXPECT_FALSE(floppy.QueryGeometry(h, 2, g));
    EXPECT_EQ(floppy.LastError(), ERROR_INVALID_HANDLE);
}

TEST(ImageFloppy, GeometryAndMediaDependOnTheMedium) {
    struct Row {
        std::string scenario;
        bool geometry;
        uint32_t error;  // when the query fails
        int32_t type;
        bool mediaPresent;
    };
    const std::vector<Row> rows{
        {"1.44M", true, 0, F3_1Pt44_512, true},
        {"1.2M:blank=360K", true, 0, F5_360_512, true},
        {"2.88M:blank", true, 0, F3_2Pt88_512, true},
        {"1.44M:none", false, ERROR_NOT_READY, 0, false},
        {"1.44M:unformatted", false, ERROR_UNRECOGNIZED_MEDIA, 0, true},  // present, so it can be formatted
        {"1.44M:noanswer", false, ERROR_NOT_READY, 0, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.scenario);
        auto drive = scenarioDrive(r.scenario);
        ImageFloppy floppy(*drive);
        OpenedDrive open(floppy, floppy.OpenDrive("A:"));
        ASSERT_TRUE(open.valid());
        DiskGeometry g{};
        EXPECT_EQ(floppy.QueryGeometry(open.handle(), 1, g), r.geometry);
        if (r.geometry) {
            EXPECT_EQ(g.mediaType, r.type);
            EXPECT_EQ(g.cylinders, formatForType(r.type)->geometry.cylinders);
        } else {
            EXPECT_EQ(floppy.LastError(), r.error);
        }
        EXPECT_EQ(floppy.CheckMedia(open.handle()), r.mediaPresent);
    }
}

TEST(ImageFloppy, MediaTypeListHoldsAtMostTwenty) {
    struct Row {
        std::string scenario;
        int count;
        std::vector<int32_t> first;
    };
    const std::vector<Row> rows{
        {"1.44M", 2, {F3_1Pt44_512, F3_720_512}},
        {"2.88M", 3, {F3_2Pt88_512, F3_1Pt44_512, F3_720_512}},
        {"1.2M", 6, {F5_1Pt2_512, F5_360_512, F5_320_512, F5_320_1024, F5_180_512, F5_160_512}},
        {"1.44M:types=20", 20, {F3_1Pt44_512, F3_720_512}},
        {"1.44M:types=21", 0, {}},
        {"1.44M:types=0", 0, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.scenario);
        auto drive = scenarioDrive(r.scenario);
        ImageFloppy floppy(*drive);
        OpenedDrive open(floppy, floppy.OpenDrive("A:"));
        EXPECT_EQ(floppy.QueryMediaTypes(open.handle()), r.count);
        ASSERT_EQ(floppy.MediaTypes().size(), size_t(r.count));
        for (size_t i = 0; i < r.first.size(); ++i) EXPECT_EQ(floppy.MediaTypes()[i].mediaType, r.first[i]);
    }
    auto drive = scenarioDrive("1.44M:types=21");
    ImageFloppy floppy(*drive);
    OpenedDrive open(floppy, floppy.OpenDrive("A:"));
    ASSERT_EQ(floppy.QueryMediaTypes(open.handle()), 0);
    EXPECT_EQ(floppy.LastError(), ERROR_INSUFFICIENT_BUFFER);
}

TEST(ImageFloppy, LockBelongsToOneHandleAndGoesWithIt) {
    auto drive = scenarioDrive("1.44M");
    ImageFloppy floppy(*drive);
    const FloppyHandle first = floppy.OpenDrive("A:");
    const FloppyHandle second = floppy.OpenDrive("A:");
    EXPECT_TRUE(floppy.LockDrive(first, 1));
    EXPECT_FALSE(floppy.LockDrive(second, 1));
    EXPECT_EQ(floppy.LastError(), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(floppy.UnlockDrive(second, 1));
    EXPECT_EQ(floppy.LastError(), ERROR_NOT_LOCKED);
    EXPECT_TRUE(floppy.CloseDrive(first));
    EXPECT_TRUE(floppy.LockDrive(second, 1));
    EXPECT_TRUE(floppy.UnlockDrive(second, 1));

    auto elsewhere = scenarioDrive("1.44M:locked");
    ImageFloppy held(*elsewhere);
    OpenedDrive open(held, held.OpenDrive("A:"));
    ASSERT_TRUE(open.valid());  // opening works while another program uses the floppy
    EXPECT_FALSE(held.LockDrive(open.handle(), 1));
    EXPECT_EQ(held.LastError(), ERROR_ACCESS_DENIED);
}

TEST(ImageFloppy, TransfersFollowTheHandlePosition) {
    std::vector<uint8_t> contents;
    auto drive = driveWithPattern(DriveKind::Floppy35HD, hdGeometry(), contents);
    ImageFloppy floppy(*drive);
    OpenedDrive open(floppy, floppy.OpenDrive("A:"));
    auto buffer = alignedBuffer(18432);
    uint32_t done = 0;

    // The offset argument is not used; the position is.
    ASSERT_TRUE(floppy.ReadSectors(open.handle(), buffer.bytes(), done, 1, 5 * 18432, 512));
    EXPECT_EQ(done, 18432u);
    EXPECT_TRUE(std::equal(buffer.bytes().begin(), buffer.bytes().end(), contents.begin()));
    ASSERT_TRUE(floppy.SetDrivePosition(open.handle(), 79 * 18432 + 512));
    ASSERT_TRUE(floppy.ReadSectors(open.handle(), buffer.bytes(), done, 1, 0, 512));
    EXPECT_EQ(done, 18432u - 512);  // cut at the end of the medium
    EXPECT_TRUE(floppy.ReadSectors(open.handle(), buffer.bytes(), done, 1, 0, 512));
    EXPECT_EQ(done, 0u);

    const auto written = testing_support::patternBytes(1024, 99);
    std::copy(written.begin(), written.end(), buffer.bytes().begin());
    ASSERT_TRUE(floppy.SetDrivePosition(open.handle(), 2048));
    ASSERT_TRUE(floppy.WriteSectors(open.handle(), buffer.bytes().first(1024), done, 0, 1, 512));
    EXPECT_EQ(done, 1024u);
    ASSERT_TRUE(floppy.SetDrivePosition(open.handle(), 2048));
    ASSERT_TRUE(floppy.ReadSectors(open.handle(), buffer.bytes().first(1024), done, 1, 0, 512));
    EXPECT_TRUE(std::equal(written.begin(), written.end(), buffer.bytes().begin()));
}

TEST(ImageFloppy, FailedTransfersReportTheDriveError) {
    struct Row {
        std::string scenario;
        bool write;
        uint32_t position, bytes;
        size_t misalign;
        uint32_t error;
    };
    const uint32_t cylinder3 = 3 * 18432;
    const std::vector<Row> rows{
        {"1.44M:bad=3/1/5", false, cylinder3, 18432, 0, ERROR_CRC},
        {"1.44M:bad=3/1/5@4", false, cylinder3, 18432, 0, ERROR_SECTOR_NOT_FOUND},
        {"1.44M:bad=3/1/5@128", false, cylinder3, 18432, 0, ERROR_NOT_READY},
        {"1.44M:bad=3/1/5@64", false, cylinder3, 18432, 0, ERROR_SEEK},
        {"1.44M:wp", true, 0, 512, 0, ERROR_WRITE_PROTECT},
        {"1.44M:none", false, 0, 512, 0, ERROR_NOT_READY},
        {"1.44M:unformatted", false, 0, 512, 0, ERROR_UNRECOGNIZED_MEDIA},
        {"1.44M", false, 100, 512, 0, ERROR_INVALID_PARAMETER},
        {"1.44M", false, 0, 500, 0, ERROR_INVALID_PARAMETER},
        {"1.44M", true, 0, 512, 8, ERROR_INVALID_PARAMETER},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.scenario + (r.write ? " write" : " read"));
        auto drive = scenarioDrive(r.scenario);
        ImageFloppy floppy(*drive);
        OpenedDrive open(floppy, floppy.OpenDrive("A:"));
        auto buffer = alignedBuffer(r.bytes + r.misalign);
        const auto span = buffer.bytes().subspan(r.misalign, r.bytes);
        ASSERT_TRUE(floppy.SetDrivePosition(open.handle(), r.position));
        uint32_t done = 77;
        const bool ok = r.write ? floppy.WriteSectors(open.handle(), span, done, r.position, 1, 512)
                                : floppy.ReadSectors(open.handle(), span, done, 1, r.position, 512);
        EXPECT_FALSE(ok);
        EXPECT_EQ(done, 0u);
        EXPECT_EQ(floppy.LastError(), r.error);
    }
}

TEST(ImageFloppy, ShortReadMovesThePositionByWhatCame) {
    std::vector<uint8_t> contents;
    auto drive = driveWithPattern(DriveKind::Floppy35HD, hdGeometry(), contents);
    drive->setShortReadBytes(9300);
    ImageFloppy floppy(*drive);
    OpenedDrive open(floppy, floppy.OpenDrive("A:"));
    auto buffer = alignedBuffer(18432);
    for (size_t part = 0; part < 2; ++part) {
        uint32_t done = 0;
        ASSERT_TRUE(floppy.ReadSectors(open.handle(), buffer.bytes(), done, 1, 0, 512));
        ASSERT_EQ(done, 9216u);  // whole sectors only
        EXPECT_TRUE(std::equal(buffer.bytes().begin(), buffer.bytes().begin() + done, contents.begin() + part * done));
    }
}

TEST(ImageFloppy, FormatRefusesUnknownGeometryWithoutTouchingTheBar) {
    auto drive = scenarioDrive("1.44M");
    ImageFloppy floppy(*drive);
    OpenedDrive open(floppy, floppy.OpenDrive("A:"));
    for (const DiskGeometry& g : {DiskGeometry{80, Unknown, 2, 18, 512}, DiskGeometry{80, F3_1Pt44_512, 0, 18, 512},
                                  DiskGeometry{80, F3_1Pt44_512, 256, 18, 512}}) {
        RecordingProgress progress;
        EXPECT_FALSE(floppy.FormatAllCylinders(open.handle(), g, progress));
        EXPECT_EQ(floppy.LastError(), ERROR_INVALID_PARAMETER);
        EXPECT_TRUE(progress.calls.empty());
    }
}

}  // namespace
