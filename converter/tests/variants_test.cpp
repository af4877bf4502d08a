// Behaviour every FloppyAccess variant shares, each over its own emulated device.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "emulation/emulated_nt_device.h"
#include "emulation/emulated_vwin32.h"
#include "floppy_fixture.h"
#include "image_floppy.h"
#include "media_types.h"
#include "win9x/win9x_floppy.h"
#include "winnt/nt_floppy.h"

namespace {

using namespace converter;
using namespace converter::emulation;
using namespace floppy_testing;

struct Rig {
    std::unique_ptr<EmulatedDrive> drive;
    std::shared_ptr<void> device;  // whatever sits between the variant and the drive
    std::unique_ptr<FloppyAccess> access;
};

template <typename Device, typename Access>
Rig through(std::unique_ptr<EmulatedDrive> drive) {
    Rig rig{std::move(drive), nullptr, nullptr};
    auto device = std::make_shared<Device>(*rig.drive);
    rig.access = std::make_unique<Access>(*device);
    rig.device = device;
    return rig;
}

struct Variant {
    std::string name;
    bool nt;  // lists media types and formats, reports Windows errors rather than BIOS statuses
    std::function<Rig(std::unique_ptr<EmulatedDrive>)> make;
};

const std::vector<Variant> kVariants{
    {"ImageFloppy", true,
     [](std::unique_ptr<EmulatedDrive> drive) {
         Rig rig{std::move(drive), nullptr, nullptr};
         rig.access = std::make_unique<ImageFloppy>(*rig.drive);
         return rig;
     }},
    {"Windows 95/98", false, through<EmulatedVwin32, win9x::Win9xFloppy>},
    {"Windows NT", true, through<EmulatedNtDevice, winnt::NtFloppy>},
};

// Reads or writes the whole floppy a cylinder at a time, as the converter's actions do.
void transferEveryCylinder(FloppyAccess& access, FloppyHandle handle, const DiskGeometry& g,
                           std::vector<uint8_t>& image, bool write) {
    const auto bytes = cylinderBytes(g);
    ASSERT_TRUE(bytes);
    auto buffer = alignedBuffer(*bytes);
    for (uint32_t c = 0; c < g.cylinders; ++c) {
        const uint32_t offset = c * *bytes;
        uint32_t done = 0;
        ASSERT_TRUE(access.SetDrivePosition(handle, offset));
        if (write) {
            std::copy_n(image.begin() + offset, *bytes, buffer.bytes().begin());
            ASSERT_TRUE(
                access.WriteSectors(handle, buffer.bytes(), done, ByteOffset{offset}, 1, g.bytesPerSector))
                << c;
        } else {
            ASSERT_TRUE(
                access.ReadSectors(handle, buffer.bytes(), done, 1, ByteOffset{offset}, g.bytesPerSector))
                << c;
            std::copy_n(buffer.bytes().begin(), *bytes, image.begin() + offset);
        }
        ASSERT_EQ(done, *bytes) << c;
    }
}

TEST(Variants, EveryCylinderReadsAsTheImageAndWritesBack) {
    for (const Variant& v : kVariants) {
        SCOPED_TRACE(v.name);
        std::vector<uint8_t> contents;
        Rig rig = v.make(driveWithPattern(DriveKind::Floppy35HD, hdGeometry(), contents));
        FloppyAccess& access = *rig.access;
        OpenedDrive open(access, access.OpenDrive("A:"));
        ASSERT_TRUE(open.valid());
        ASSERT_TRUE(access.LockDrive(open.handle(), 1));
        DiskGeometry g{};
        ASSERT_TRUE(access.QueryGeometry(open.handle(), 1, g));
        ASSERT_EQ(g.mediaType, F3_1Pt44_512);
        ASSERT_TRUE(imageMatchesGeometry(contents.size(), g));

        std::vector<uint8_t> image(contents.size());
        transferEveryCylinder(access, open.handle(), g, image, false);
        EXPECT_TRUE(image == contents);
        const auto replacement = testing_support::patternBytes(contents.size(), 1234);
        image = replacement;
        transferEveryCylinder(access, open.handle(), g, image, true);
        std::fill(image.begin(), image.end(), 0);
        transferEveryCylinder(access, open.handle(), g, image, false);
        EXPECT_TRUE(image == replacement);
        EXPECT_TRUE(access.DismountDrive(open.handle()));
        EXPECT_TRUE(access.UnlockDrive(open.handle(), 1));
    }
}

TEST(Variants, FailuresReportTheirCodes) {
    struct Row {
        std::string scenario;
        bool write;
        uint32_t cylinder;
        uint32_t bios, windows;  // last error under 95/98, under NT and ImageFloppy
    };
    const std::vector<Row> rows{
        {"1.44M:bad=3/1/5@4", false, 3, 4, ERROR_SECTOR_NOT_FOUND},
        {"1.44M:bad=3/1/5", false, 3, 16, ERROR_CRC},
        {"1.44M:bad=3/1/5@128", false, 3, 128, ERROR_NOT_READY},
        {"1.44M:wp", true, 0, ERROR_WRITE_PROTECT, ERROR_WRITE_PROTECT},  // the BIOS says 3
        {"1.44M:none", false, 0, 128, ERROR_NOT_READY},
        {"1.44M:unformatted", false, 0, 2, ERROR_UNRECOGNIZED_MEDIA},
    };
    for (const Variant& v : kVariants) {
        for (const Row& r : rows) {
            SCOPED_TRACE(v.name + " " + r.scenario);
            Rig rig = v.make(scenarioDrive(r.scenario));
            OpenedDrive open(*rig.access, rig.access->OpenDrive("A:"));
            auto buffer = alignedBuffer(18432);
            const uint32_t offset = r.cylinder * 18432;
            ASSERT_TRUE(rig.access->SetDrivePosition(open.handle(), offset));
            uint32_t done = 5;
            EXPECT_FALSE(r.write ? rig.access->WriteSectors(open.handle(), buffer.bytes(), done,
                                                            ByteOffset{offset}, 1, 512)
                                 : rig.access->ReadSectors(open.handle(), buffer.bytes(), done, 1,
                                                           ByteOffset{offset}, 512));
            EXPECT_EQ(done, 0u);
            EXPECT_EQ(rig.access->LastError(), v.nt ? r.windows : r.bios);
        }
    }
}

TEST(Variants, GeometryNeedsAFormattedMedium) {
    struct Row {
        std::string scenario;
        int32_t type;           // 0: the query fails
        uint32_t dos, windows;  // the last error then
    };
    const std::vector<Row> rows{
        {"1.44M", F3_1Pt44_512, 0, 0},
        {"1.2M:blank=360K", F5_360_512, 0, 0},
        {"1.44M:none", 0, 0x15, ERROR_NOT_READY},
        {"1.44M:unformatted", 0, 0x1F, ERROR_UNRECOGNIZED_MEDIA},
    };
    for (const Variant& v : kVariants) {
        for (const Row& r : rows) {
            SCOPED_TRACE(v.name + " " + r.scenario);
            Rig rig = v.make(scenarioDrive(r.scenario));
            OpenedDrive open(*rig.access, rig.access->OpenDrive("A:"));
            DiskGeometry g{7, 99, 7, 7, 7};
            EXPECT_EQ(rig.access->QueryGeometry(open.handle(), 1, g), r.type != 0);
            if (r.type != 0) {
                EXPECT_EQ(g.mediaType, r.type);
                EXPECT_EQ(g.cylinders, builtGeometry(r.type)->cylinders);
            } else {
                EXPECT_EQ(g.mediaType, 99);
                EXPECT_EQ(rig.access->LastError(), v.nt ? r.windows : r.dos);
            }
            // A floppy is there to be formatted even when nothing on it reads.
            EXPECT_EQ(rig.access->CheckMedia(open.handle()), v.nt ? r.scenario != "1.44M:none" : true);
        }
    }
}

TEST(Variants, LockHeldElsewhereFailsAfterTheOpen) {
    for (const Variant& v : kVariants) {
        SCOPED_TRACE(v.name);
        Rig rig = v.make(scenarioDrive("1.44M:locked"));
        OpenedDrive open(*rig.access, rig.access->OpenDrive("A:"));
        ASSERT_TRUE(open.valid());
        EXPECT_FALSE(rig.access->LockDrive(open.handle(), 1));
        EXPECT_EQ(rig.access->LastError(), 5u);  // access denied, in DOS's numbers and Windows' alike

        // Our own lock belongs to the handle that took it, and goes when that handle is closed.
        Rig free = v.make(scenarioDrive("1.44M"));
        const FloppyHandle first = free.access->OpenDrive("A:");
        OpenedDrive second(*free.access, free.access->OpenDrive("A:"));
        ASSERT_TRUE(free.access->LockDrive(first, 1));
        EXPECT_FALSE(free.access->LockDrive(second.handle(), 1));
        EXPECT_TRUE(free.access->CloseDrive(first));
        EXPECT_TRUE(free.access->LockDrive(second.handle(), 1));
    }
}

TEST(Variants, MediaTypeListHoldsAtMostTwenty) {
    struct Row {
        std::string scenario;
        int count;
    };
    const std::vector<Row> rows{{"1.44M", 2},           {"2.88M", 3},          {"1.2M:none", 6},
                                {"1.44M:types=20", 20}, {"1.44M:types=21", 0}, {"1.44M:types=64", 0}};
    for (const Variant& v : kVariants) {
        for (const Row& r : rows) {
            SCOPED_TRACE(v.name + " " + r.scenario);
            Rig rig = v.make(scenarioDrive(r.scenario));
            OpenedDrive open(*rig.access, rig.access->OpenDrive("A:"));
            const int expected = v.nt ? r.count : 0;  // 95/98 cannot tell
            EXPECT_EQ(rig.access->QueryMediaTypes(open.handle()), expected);
            ASSERT_EQ(rig.access->MediaTypes().size(), size_t(expected));
            const auto& own = rig.drive->supportedTypes();
            for (int i = 0; i < expected; ++i)
                EXPECT_EQ(rig.access->MediaTypes()[i].mediaType, own[i].mediaType);
        }
    }
}

TEST(Variants, FormattingLaysDownEachBuiltType) {
    struct Row {
        std::string scenario;  // the medium before
        int32_t type;
    };
    const std::vector<Row> rows{
        {"1.2M:unformatted", F5_1Pt2_512}, {"1.44M:unformatted", F3_1Pt44_512}, {"1.44M:blank", F3_720_512},
        {"1.2M:blank", F5_360_512},        {"720K:unformatted", F3_720_512},
    };
    for (const Variant& v : kVariants) {
        if (!v.nt) continue;
        for (const Row& r : rows) {
            SCOPED_TRACE(v.name + " " + r.scenario + " to " + std::string(MediaTypeLabel(r.type)));
            Rig rig = v.make(scenarioDrive(r.scenario));
            FloppyAccess& access = *rig.access;
            OpenedDrive open(access, access.OpenDrive("A:"));
            ASSERT_TRUE(access.LockDrive(open.handle(), 1));
            ASSERT_TRUE(access.CheckMedia(open.handle()));

            const DiskGeometry target = *builtGeometry(r.type);
            RecordingProgress progress;
            ASSERT_TRUE(access.FormatAllCylinders(open.handle(), target, progress)) << access.LastError();
            EXPECT_EQ(progress.calls,
                      (std::vector<std::string>{"range 0.." + std::to_string(target.cylinders), "step 1",
                                                "pos 0"}));
            EXPECT_EQ(progress.steps, target.cylinders);

            DiskGeometry g{};
            ASSERT_TRUE(access.QueryGeometry(open.handle(), 1, g));
            EXPECT_EQ(
                std::tie(g.cylinders, g.mediaType, g.tracksPerCylinder, g.sectorsPerTrack, g.bytesPerSector),
                std::tie(target.cylinders, target.mediaType, target.tracksPerCylinder, target.sectorsPerTrack,
                         target.bytesPerSector));
            std::vector<uint8_t> image(imageBytes(g));
            transferEveryCylinder(access, open.handle(), g, image, false);
            EXPECT_TRUE(std::all_of(image.begin(), image.end(),
                                    [](uint8_t b) { return b == EmulatedDrive::kFormatFiller; }));
        }
    }
}

TEST(Variants, FormatStopsAtTheFirstRefusal) {
    struct Row {
        std::string scenario;
        DiskGeometry geometry;
        uint32_t error;
        size_t barCalls;  // before the first request
    };
    const std::vector<Row> rows{
        {"1.44M:wp", hdGeometry(), ERROR_WRITE_PROTECT, 3},
        {"1.44M", {80, F5_1Pt2_512, 2, 15, 512}, ERROR_INVALID_PARAMETER, 3},  // refused by the drive
        // Refused before anything is sent: a type 0 record may hold numbers from before a query.
        {"1.44M", {80, Unknown, 2, 18, 512}, ERROR_INVALID_PARAMETER, 0},
        {"1.44M", {80, F3_1Pt44_512, 0, 18, 512}, ERROR_INVALID_PARAMETER, 0},
        {"1.44M", {80, F3_1Pt44_512, 100000, 18, 512}, ERROR_INVALID_PARAMETER, 0},
    };
    for (const Variant& v : kVariants) {
        for (const Row& r : rows) {
            SCOPED_TRACE(v.name + " " + r.scenario);
            Rig rig = v.make(scenarioDrive(r.scenario));
            OpenedDrive open(*rig.access, rig.access->OpenDrive("A:"));
            RecordingProgress progress;
            EXPECT_FALSE(rig.access->FormatAllCylinders(open.handle(), r.geometry, progress));
            EXPECT_EQ(progress.steps, 0u);
            // 95/98 has no format request at all.
            EXPECT_EQ(rig.access->LastError(), v.nt ? r.error : ERROR_NOT_SUPPORTED);
            EXPECT_EQ(progress.calls.size(), v.nt ? r.barCalls : 0);
        }
    }
}

}  // namespace
