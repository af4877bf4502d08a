#include <gtest/gtest.h>

#include <functional>

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

// One variant of FloppyAccess over an emulated drive, with whatever device sits between them.
struct Rig {
    std::unique_ptr<EmulatedDrive> drive;
    std::shared_ptr<void> device;
    std::unique_ptr<FloppyAccess> access;
};

struct Variant {
    std::string name;
    bool formats;
    std::function<Rig(std::unique_ptr<EmulatedDrive>)> make;
};

const std::vector<Variant>& variants() {
    static const std::vector<Variant> all{
        {"ImageFloppy", true,
         [](std::unique_ptr<EmulatedDrive> drive) {
             Rig rig{std::move(drive), nullptr, nullptr};
             rig.access = std::make_unique<ImageFloppy>(*rig.drive);
             return rig;
         }},
        {"Windows 95/98", false,
         [](std::unique_ptr<EmulatedDrive> drive) {
             Rig rig{std::move(drive), nullptr, nullptr};
             auto device = std::make_shared<EmulatedVwin32>(*rig.drive);
             rig.access = std::make_unique<win9x::Win9xFloppy>(*device);
             rig.device = device;
             return rig;
         }},
        {"Windows NT", true,
         [](std::unique_ptr<EmulatedDrive> drive) {
             Rig rig{std::move(drive), nullptr, nullptr};
             auto device = std::make_shared<EmulatedNtDevice>(*rig.drive);
             rig.access = std::make_unique<winnt::NtFloppy>(*device);
             rig.device = device;
             return rig;
         }},
    };
    return all;
}

// Reads or writes the whole floppy a cylinder at a time, the way the converter's actions do.
void transferEveryCylinder(FloppyAccess& access, FloppyHandle handle, const DiskGeometry& g,
                           std::vector<uint8_t>& image, bool write) {
    const auto cylinderBytes = converter::cylinderBytes(g);
    ASSERT_TRUE(cylinderBytes);
    auto buffer = alignedBuffer(*cylinderBytes);
    for (uint32_t c = 0; c < g.cylinders; ++c) {
        const uint32_t offset = c * *cylinderBytes;
        uint32_t done = 0;
        ASSERT_TRUE(access.SetDrivePosition(handle, offset));
        if (write) {
            std::copy_n(image.begin() + offset, *cylinderBytes, buffer.bytes().begin());
            ASSERT_TRUE(access.WriteSectors(handle, buffer.bytes(), done, offset, 1, g.bytesPerSector)) << c;
        } else {
            ASSERT_TRUE(access.ReadSectors(handle, buffer.bytes(), done, 1, offset, g.bytesPerSector)) << c;
            std::copy_n(buffer.bytes().begin(), *cylinderBytes, image.begin() + offset);
        }
        ASSERT_EQ(done, *cylinderBytes) << c;
    }
}

TEST(RoundTrip, EveryCylinderReadsAsTheImageAndWritesBack) {
    for (const Variant& v : variants()) {
        SCOPED_TRACE(v.name);
        std::vector<uint8_t> contents;
        Rig rig = v.make(driveWithPattern(DriveKind::Floppy35HD, hdGeometry(), contents));
        FloppyAccess& access = *rig.access;
        OpenedDrive open(access, access.OpenDrive("A:"));
        ASSERT_TRUE(open.valid());
        ASSERT_TRUE(access.LockDrive(open.handle(), 1));
        DiskGeometry g{};
        ASSERT_TRUE(access.QueryGeometry(open.handle(), 1, g));
        EXPECT_EQ(g.mediaType, F3_1Pt44_512);
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

TEST(RoundTrip, FormattingLaysDownEachBuiltType) {
    struct Row {
        DriveKind drive;
        std::string medium;  // what is in the drive before
        int32_t type;
    };
    const std::vector<Row> rows{
        {DriveKind::Floppy525HD, "unformatted", F5_1Pt2_512}, {DriveKind::Floppy35HD, "unformatted", F3_1Pt44_512},
        {DriveKind::Floppy35HD, "1.44M", F3_720_512},        {DriveKind::Floppy525HD, "1.2M", F5_360_512},
        {DriveKind::Floppy35DD, "unformatted", F3_720_512},
    };
    for (const Variant& v : variants()) {
        if (!v.formats) continue;
        for (const Row& r : rows) {
            SCOPED_TRACE(v.name + " " + r.medium + " to " + std::string(MediaTypeLabel(r.type)));
            auto drive = std::make_unique<EmulatedDrive>(r.drive);
            if (r.medium == "unformatted") {
                drive->insertUnformatted();
            } else {
                const DiskGeometry& before = formatNamed(r.medium)->geometry;
                std::vector<uint8_t> contents;
                drive = driveWithPattern(r.drive, before, contents);
            }
            Rig rig = v.make(std::move(drive));
            FloppyAccess& access = *rig.access;
            OpenedDrive open(access, access.OpenDrive("A:"));
            ASSERT_TRUE(access.LockDrive(open.handle(), 1));
            ASSERT_TRUE(access.CheckMedia(open.handle()));

            const DiskGeometry target = *builtGeometry(r.type);
            RecordingProgress progress;
            ASSERT_TRUE(access.FormatAllCylinders(open.handle(), target, progress)) << access.LastError();
            EXPECT_EQ(progress.calls,
                      (std::vector<std::string>{"range 0.." + std::to_string(target.cylinders), "step 1", "pos 0"}));
            EXPECT_EQ(progress.steps, target.cylinders);

            DiskGeometry g{};
            ASSERT_TRUE(access.QueryGeometry(open.handle(), 1, g));
            EXPECT_EQ(g.mediaType, target.mediaType);
            EXPECT_EQ(g.cylinders, target.cylinders);
            EXPECT_EQ(g.tracksPerCylinder, target.tracksPerCylinder);
            EXPECT_EQ(g.sectorsPerTrack, target.sectorsPerTrack);
            EXPECT_EQ(g.bytesPerSector, target.bytesPerSector);

            std::vector<uint8_t> image(imageBytes(g));
            transferEveryCylinder(access, open.handle(), g, image, false);
            EXPECT_TRUE(std::all_of(image.begin(), image.end(),
                                    [](uint8_t b) { return b == EmulatedDrive::kFormatFiller; }));
            EXPECT_TRUE(access.UnlockDrive(open.handle(), 1));
        }
    }
}

TEST(RoundTrip, FormatStopsAtTheFirstRefusedCylinder) {
    for (const Variant& v : variants()) {
        if (!v.formats) continue;
        SCOPED_TRACE(v.name);
        std::vector<uint8_t> contents;
        auto drive = driveWithPattern(DriveKind::Floppy35HD, hdGeometry(), contents);
        drive->setWriteProtected(true);
        Rig rig = v.make(std::move(drive));
        OpenedDrive open(*rig.access, rig.access->OpenDrive("A:"));
        RecordingProgress progress;
        EXPECT_FALSE(rig.access->FormatAllCylinders(open.handle(), hdGeometry(), progress));
        EXPECT_EQ(rig.access->LastError(), ERROR_WRITE_PROTECT);
        EXPECT_EQ(progress.steps, 0u);

        // A type the drive does not take fails at the platform, not before.
        RecordingProgress other;
        rig.drive->setWriteProtected(false);
        EXPECT_FALSE(rig.access->FormatAllCylinders(open.handle(), *builtGeometry(F5_1Pt2_512), other));
        EXPECT_EQ(rig.access->LastError(), ERROR_INVALID_PARAMETER);
        EXPECT_EQ(other.calls.size(), 3u);
    }
}

}  // namespace
