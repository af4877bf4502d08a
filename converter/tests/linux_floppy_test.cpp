#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "floppy_fixture.h"
#include "linux/error_translation.h"
#include "linux/floppy_discovery.h"
#include "linux/linux_floppy.h"
#include "linux/media_tables.h"
#include "linux/ufi_commands.h"
#include "linux_fake_machine.h"
#include "media_types.h"

namespace {

using namespace converter;
using namespace converter::linux_floppy;
using namespace linux_testing;
using floppy_testing::RecordingProgress;

TEST(LinuxErrors, ErrnoAndDriveFlagsBecomeOneMeaning) {
    struct Row {
        const char* name;
        int error;
        uint64_t flags;
        uint32_t expected;
    } rows[] = {
        {"EROFS with a medium is write protection", err::RoFs, 0, 19},
        {"EROFS from an empty drive is no medium", err::RoFs, kDiskChanged, 21},
        {"EIO with writable clear is write protection", err::Io, 0, 19},
        {"EIO on a writable medium is a device error", err::Io, kDiskWritable, 1117},
        {"ENODEV from an empty drive is no medium", err::NoDev, kDiskChanged, 21},
        {"ENODEV with a medium is unknown media, never 19", err::NoDev, kDiskWritable, 1785},
        {"EBUSY is a lock held elsewhere", err::Busy, kDiskWritable, 5},
        {"ENXIO is no medium", err::NxIo, kDiskChanged, 21},
        {"EINVAL stays a parameter error", err::Inval, kDiskWritable, 87},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(lastErrorWithStatus(-r.error, DriveStatus{r.flags, 1}), r.expected) << r.name;
    }
    EXPECT_NE(lastErrorForErrno(err::NoDev), 19u);
    EXPECT_EQ(lastErrorForErrno(err::NoMedium), 21u);
    EXPECT_EQ(lastErrorForErrno(12345), ERROR_GEN_FAILURE);
}

TEST(LinuxErrors, SenseKeysBecomeOneMeaning) {
    struct Row {
        uint8_t key, asc;
        bool retry, unformatted;
        uint32_t expected;
    } rows[] = {{7, 0x27, false, false, 19},  {2, 0x3A, false, false, 21},   {6, 0x28, true, false, 21},
                {3, 0x30, false, true, 1785}, {3, 0x11, false, false, 23},   {3, 0x14, false, false, 27},
                {5, 0x24, false, false, 87},  {4, 0x00, false, false, 1117}, {0, 0x00, false, false, 0}};
    for (const Row& r : rows) {
        std::array<uint8_t, 18> sense{0x70, 0, r.key};
        sense[12] = r.asc;
        const SenseVerdict v = judgeSense(sense);
        EXPECT_EQ(v.lastError, r.expected) << int(r.key) << "/" << int(r.asc);
        EXPECT_EQ(v.retry, r.retry);
        EXPECT_EQ(v.unformatted, r.unformatted);
    }
}

TEST(LinuxTables, DriverGeometryBecomesMediaType) {
    struct Row {
        uint32_t track, head, sect;
        uint8_t rate;
        int32_t type;
    } rows[] = {{80, 2, 18, 0, 2}, {80, 2, 15, 0, 1}, {80, 2, 9, 2, 5},  {40, 2, 9, 1, 6}, {80, 2, 36, 3, 3},
                {40, 2, 8, 2, 7},  {40, 1, 9, 2, 9},  {40, 1, 8, 2, 10}, {80, 2, 21, 0, 0}};
    for (const Row& r : rows) {
        const DiskGeometry g = geometryFromParams(FloppyParams{0, r.sect, r.head, r.track, 0, 0, r.rate});
        EXPECT_EQ(g.mediaType, r.type) << r.track << "/" << r.head << "/" << r.sect;
        EXPECT_EQ(g.cylinders, r.track);
        EXPECT_EQ(g.bytesPerSector, 512u);
    }
}

TEST(LinuxTables, UsbCapacityBecomesGeometry) {
    EXPECT_EQ(geometryFromCapacity(2880, 512)->mediaType, F3_1Pt44_512);
    EXPECT_EQ(geometryFromCapacity(1440, 512)->sectorsPerTrack, 9u);
    EXPECT_EQ(geometryFromCapacity(2400, 512)->mediaType, F5_1Pt2_512);
    EXPECT_EQ(geometryFromCapacity(720, 512)->cylinders, 40);
    EXPECT_EQ(geometryFromCapacity(1232, 1024)->mediaType, Unknown);
    EXPECT_FALSE(geometryFromCapacity(7864320, 512));  // a USB stick
}

TEST(LinuxTables, CmosTypeListsItsOwnTypeFirst) {
    auto types = [](int cmos) {
        std::vector<int32_t> out;
        for (const auto& g : geometriesForCmos(cmos)) out.push_back(g.mediaType);
        return out;
    };
    EXPECT_EQ(types(1), (std::vector<int32_t>{6}));
    EXPECT_EQ(types(2), (std::vector<int32_t>{1, 6}));
    EXPECT_EQ(types(3), (std::vector<int32_t>{5}));
    EXPECT_EQ(types(4), (std::vector<int32_t>{2, 5}));
    EXPECT_EQ(types(5), (std::vector<int32_t>{3, 2, 5}));
    EXPECT_EQ(types(6), (std::vector<int32_t>{3, 2, 5}));
    EXPECT_TRUE(types(0).empty());
    EXPECT_TRUE(types(16).empty());
}

TEST(LinuxTables, FormatParametersPerTargetAndDrive) {
    struct Row {
        int32_t type;
        int cmos;
        const char* expected;  // empty: the drive cannot make it
    } rows[] = {{2, 4, "2880,18,2,80,0,1B,00,CF,6C"},
                {2, 5, "2880,18,2,80,0,1B,00,CF,6C"},
                {5, 4, "1440,9,2,80,0,2A,02,DF,50"},
                {1, 2, "2400,15,2,80,0,1B,00,DF,54"},
                {6, 2, "720,9,2,40,1,23,01,DF,50"},
                {6, 1, "720,9,2,40,0,2A,02,DF,50"},
                {1, 4, ""},
                {6, 4, ""},
                {2, 2, ""},
                {3, 5, ""},
                {2, 0, ""}};
    for (const Row& r : rows) {
        const auto p = formatParamsFor(r.type, r.cmos);
        EXPECT_EQ(p ? FakeKernel::describe(*p) : "", r.expected) << r.type << " in cmos " << r.cmos;
    }
}

TEST(LinuxTables, UfiFormatUnitBytes) {
    const Cdb cdb = formatUnitCdb(79);
    EXPECT_EQ(cdb, (Cdb{0x04, 0x17, 79, 0, 0, 0, 0, 0, 0x0C, 0, 0, 0}));
    EXPECT_EQ(
        formatUnitParameters(0, 2880, 512),
        (std::array<uint8_t, 12>{0x00, 0xB0, 0x00, 0x08, 0x00, 0x00, 0x0B, 0x40, 0x00, 0x00, 0x02, 0x00}));
    EXPECT_EQ(formatUnitParameters(1, 1440, 512)[1], 0xB1);
    EXPECT_EQ(formatUnitParameters(1, 1440, 512)[7], 0xA0);
}

struct Machine : TwoDriveMachine {
    Machine() : TwoDriveMachine(3) {}
};

TEST(LinuxFloppyController, ReadsWholeCylindersThroughDirectIo) {
    Machine m;
    const FloppyHandle h = m.floppy.OpenDrive("A:");
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(m.floppy.CheckMedia(h));
    DiskGeometry g{};
    ASSERT_TRUE(m.floppy.QueryGeometry(h, 1, g));
    EXPECT_EQ(g.mediaType, F3_1Pt44_512);
    std::vector<uint8_t> cylinder(18432);  // deliberately not page-aligned memory
    uint32_t done = 0;
    ASSERT_TRUE(m.floppy.SetDrivePosition(h, 18432 * 3));
    ASSERT_TRUE(m.floppy.ReadSectors(h, cylinder, done, 1, ByteOffset{0}, 512));
    EXPECT_EQ(done, 18432u);
    EXPECT_TRUE(std::equal(cylinder.begin(), cylinder.end(), m.a().bytes.begin() + 18432 * 3));
    ASSERT_TRUE(m.floppy.ReadSectors(h, cylinder, done, 1, ByteOffset{0}, 512));
    EXPECT_EQ(m.kernel.log.back(), "pread " + std::to_string(18432 * 4));
    EXPECT_TRUE(m.floppy.CloseDrive(h));
    EXPECT_TRUE(m.kernel.fds.empty());
}

TEST(LinuxFloppyController, LockKeepsExactlyOneDescriptor) {
    Machine m;
    m.a().detected.reset();  // unformatted: the format has to set the geometry
    const FloppyHandle h = m.floppy.OpenDrive("a:");
    ASSERT_TRUE(m.floppy.LockDrive(h, 1));
    EXPECT_EQ(m.kernel.refs("/dev/fd0"), 1);
    ASSERT_TRUE(m.floppy.CheckMedia(h));
    RecordingProgress progress;
    ASSERT_TRUE(m.floppy.FormatAllCylinders(h, {80, F3_1Pt44_512, 2, 18, 512}, progress))
        << m.floppy.LastError();
    EXPECT_EQ(progress.steps, 80u);
    std::vector<std::string> expected{"FDGETPRM", "FDSETPRM 2880,18,2,80,0,1B,00,CF,6C", "FDFMTBEG"};
    for (int c = 0; c < 80; ++c)
        for (int head = 0; head < 2; ++head)
            expected.push_back("FDFMTTRK " + std::to_string(c) + "/" + std::to_string(head));
    expected.push_back("FDFMTEND");
    std::vector<std::string> got;
    for (const auto& l : m.kernel.log)
        if (l.starts_with("FD") && l != "FDFLUSH") got.push_back(l);
    EXPECT_EQ(got, expected);
    EXPECT_TRUE(m.floppy.UnlockDrive(h, 1));
    EXPECT_TRUE(m.floppy.CloseDrive(h));
    EXPECT_TRUE(m.kernel.fds.empty());
}

TEST(LinuxFloppyController, FormatKeepsAMatchingGeometryAndSlowsFor360InHdDrive) {
    struct Row {
        int cmos;
        std::optional<FloppyParams> detected;
        DiskGeometry target;
        const char* setprm;  // empty: none sent
    } rows[] = {
        {4, hd144(), {80, F3_1Pt44_512, 2, 18, 512}, ""},
        {4, hd144(), {80, F3_720_512, 2, 9, 512}, "FDSETPRM 1440,9,2,80,0,2A,02,DF,50"},
        {2, std::nullopt, {40, F5_360_512, 2, 9, 512}, "FDSETPRM 720,9,2,40,1,23,01,DF,50"},
        {2, std::nullopt, {80, F5_1Pt2_512, 2, 15, 512}, "FDSETPRM 2400,15,2,80,0,1B,00,DF,54"},
    };
    for (const Row& r : rows) {
        Machine m;
        m.a().cmos = r.cmos, m.a().detected = r.detected;
        const FloppyHandle h = m.floppy.OpenDrive("a:");
        ASSERT_TRUE(m.floppy.LockDrive(h, 1) && m.floppy.CheckMedia(h));
        RecordingProgress progress;
        EXPECT_TRUE(m.floppy.FormatAllCylinders(h, r.target, progress)) << r.target.mediaType;
        const auto set = std::find_if(m.kernel.log.begin(), m.kernel.log.end(),
                                      [](auto& l) { return l.starts_with("FDSETPRM"); });
        EXPECT_EQ(set == m.kernel.log.end() ? "" : *set, r.setprm);
        EXPECT_EQ(m.count("FDFMTTRK"), size_t(r.target.cylinders * 2));
        EXPECT_EQ(progress.steps, uint32_t(r.target.cylinders));
        m.floppy.CloseDrive(h);
    }
}

TEST(LinuxFloppyController, FailuresGiveClearCodesAndTouchNothing) {
    struct Row {
        const char* name;
        std::function<void(Machine&)> setup;
        bool lock;
        std::function<bool(Machine&, FloppyHandle)> act;
        uint32_t expected;
        const char* neverSent;
    } rows[] = {
        {"write without the lock", [](Machine&) {}, false,
         [](Machine& m, FloppyHandle h) {
             std::vector<uint8_t> b(512);
             uint32_t d;
             return m.floppy.WriteSectors(h, b, d, ByteOffset{0}, 1, 512);
         },
         ERROR_NOT_LOCKED, "pwrite"},
        {"format without the lock", [](Machine&) {}, false,
         [](Machine& m, FloppyHandle h) {
             RecordingProgress p;
             return m.floppy.FormatAllCylinders(h, {80, 2, 2, 18, 512}, p);
         },
         ERROR_NOT_LOCKED, "FDFMTBEG"},
        {"format on a protected medium", [](Machine& m) { m.a().writable = false; }, true,
         [](Machine& m, FloppyHandle h) {
             RecordingProgress p;
             return m.floppy.FormatAllCylinders(h, {80, 2, 2, 18, 512}, p);
         },
         19, "FDFMTBEG"},
        {"write on a protected medium", [](Machine& m) { m.a().writable = false; }, true,
         [](Machine& m, FloppyHandle h) {
             std::vector<uint8_t> b(512);
             uint32_t d;
             return m.floppy.WriteSectors(h, b, d, ByteOffset{0}, 1, 512);
         },
         19, "pwrite"},
        {"1.2 MB in a 3.5\" drive", [](Machine&) {}, true,
         [](Machine& m, FloppyHandle h) {
             RecordingProgress p;
             return m.floppy.FormatAllCylinders(h, {80, 1, 2, 15, 512}, p);
         },
         ERROR_NOT_SUPPORTED, "FDFMTBEG"},
        {"2.88 MB target in a 2.88 MB drive", [](Machine& m) { m.a().cmos = 5; }, true,
         [](Machine& m, FloppyHandle h) {
             RecordingProgress p;
             return m.floppy.FormatAllCylinders(h, {80, 3, 2, 36, 512}, p);
         },
         ERROR_NOT_SUPPORTED, "FDFMTBEG"},
        {"unknown drive type", [](Machine& m) { m.a().cmos = 0; }, true,
         [](Machine& m, FloppyHandle h) {
             RecordingProgress p;
             return m.floppy.FormatAllCylinders(h, {80, 2, 2, 18, 512}, p);
         },
         ERROR_NOT_SUPPORTED, "FDFMTBEG"},
        {"geometry of an empty drive", [](Machine& m) { m.a().medium = false; }, false,
         [](Machine& m, FloppyHandle h) {
             DiskGeometry g;
             return m.floppy.QueryGeometry(h, 1, g);
         },
         21, ""},
        {"geometry of an unformatted medium", [](Machine& m) { m.a().detected.reset(); }, true,
         [](Machine& m, FloppyHandle h) {
             DiskGeometry g;
             return m.floppy.QueryGeometry(h, 1, g);
         },
         1785, ""},
        {"read on an empty drive", [](Machine& m) { m.a().medium = false; }, false,
         [](Machine& m, FloppyHandle h) {
             std::vector<uint8_t> b(512);
             uint32_t d;
             return m.floppy.ReadSectors(h, b, d, 1, ByteOffset{0}, 512);
         },
         21, ""},
        {"empty drive", [](Machine& m) { m.a().medium = false; }, false,
         [](Machine& m, FloppyHandle h) { return m.floppy.CheckMedia(h); }, 21, ""},
        {"lock held by a mount", [](Machine& m) { m.a().heldExclusively = true; }, false,
         [](Machine& m, FloppyHandle h) { return m.floppy.LockDrive(h, 1); }, 5, ""},
        {"lock while another program reads", [](Machine& m) { m.a().holders = 1; }, false,
         [](Machine& m, FloppyHandle h) { return m.floppy.LockDrive(h, 1); }, 5, ""},
        {"write-protect found only by the write", [](Machine&) {}, true,
         [](Machine& m, FloppyHandle h) {
             m.a().writable = false;
             std::vector<uint8_t> b(512);
             uint32_t d;
             return m.floppy.WriteSectors(h, b, d, ByteOffset{0}, 1, 512);
         },
         19, ""},
    };
    for (const Row& r : rows) {
        Machine m;
        r.setup(m);
        const FloppyHandle h = m.floppy.OpenDrive("a:");
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << r.name;
        if (r.lock) {
            ASSERT_TRUE(m.floppy.LockDrive(h, 1) && m.floppy.CheckMedia(h)) << r.name;
        }
        EXPECT_FALSE(r.act(m, h)) << r.name;
        EXPECT_EQ(m.floppy.LastError(), r.expected) << r.name;
        if (*r.neverSent) {
            EXPECT_EQ(m.count(r.neverSent), 0u) << r.name;
        }
        EXPECT_TRUE(m.floppy.CloseDrive(h));
        EXPECT_TRUE(m.kernel.fds.empty()) << r.name;
    }
}

TEST(LinuxFloppyController, DismountSyncsThenFlushes) {
    Machine m;
    const FloppyHandle h = m.floppy.OpenDrive("a:");
    m.kernel.log.clear();
    EXPECT_TRUE(m.floppy.DismountDrive(h));
    EXPECT_EQ(m.kernel.log, (std::vector<std::string>{"fsync", "FDFLUSH"}));
    m.floppy.CloseDrive(h);
}

TEST(LinuxFloppyUsb, FormatsTrackByTrackWithUfiCommands) {
    Machine m;
    m.b().unitAttentions = 1;  // the medium was just inserted
    const FloppyHandle h = m.floppy.OpenDrive("B:");
    ASSERT_TRUE(m.floppy.LockDrive(h, 2));
    ASSERT_TRUE(m.floppy.CheckMedia(h));
    ASSERT_EQ(m.floppy.QueryMediaTypes(h), 2);
    EXPECT_EQ(m.floppy.MediaTypes()[0].mediaType, F3_1Pt44_512);
    EXPECT_EQ(m.floppy.MediaTypes()[1].mediaType, F3_720_512);
    RecordingProgress progress;
    ASSERT_TRUE(m.floppy.FormatAllCylinders(h, {80, F3_1Pt44_512, 2, 18, 512}, progress));
    EXPECT_EQ(progress.steps, 80u);
    ASSERT_EQ(m.kernel.sgData.size(), 160u);
    EXPECT_EQ(m.kernel.sgData[3], (std::vector<uint8_t>{0, 0xB1, 0, 8, 0, 0, 0x0B, 0x40, 0, 0, 2, 0}));
    EXPECT_EQ(m.kernel.sgCdbs.back(), (std::vector<uint8_t>{4, 0x17, 79, 0, 0, 0, 0, 0, 12, 0, 0, 0}));
    m.floppy.CloseDrive(h);
    EXPECT_TRUE(m.kernel.fds.empty());
}

TEST(LinuxFloppyUsb, ProtectionAndEmptinessAreTold) {
    Machine m;
    m.b().writable = false;
    FloppyHandle h = m.floppy.OpenDrive("b:");
    ASSERT_NE(h, INVALID_HANDLE_VALUE);  // read-only fallback
    ASSERT_TRUE(m.floppy.LockDrive(h, 2) && m.floppy.CheckMedia(h));
    RecordingProgress progress;
    EXPECT_FALSE(m.floppy.FormatAllCylinders(h, {80, F3_1Pt44_512, 2, 18, 512}, progress));
    EXPECT_EQ(m.floppy.LastError(), 19u);
    EXPECT_EQ(m.count("FORMAT UNIT"), 0u);
    DiskGeometry g{};
    EXPECT_TRUE(m.floppy.QueryGeometry(h, 2, g));
    EXPECT_EQ(g.mediaType, F3_1Pt44_512);
    m.floppy.CloseDrive(h);

    m.b().writable = true, m.b().medium = false;
    h = m.floppy.OpenDrive("b:");
    EXPECT_FALSE(m.floppy.CheckMedia(h));
    EXPECT_EQ(m.floppy.LastError(), 21u);
    m.floppy.CloseDrive(h);

    m.b().medium = true, m.b().detected.reset();
    h = m.floppy.OpenDrive("b:");
    EXPECT_TRUE(m.floppy.CheckMedia(h));  // unformatted, but there to be formatted
    m.floppy.CloseDrive(h);
    EXPECT_TRUE(m.kernel.fds.empty());
}

TEST(LinuxFloppyUsb, AFormatMakesSdReadTheCapacityAgainKeepingTheClaim) {
    for (const bool refused : {false, true}) {
        Machine m;
        m.b().resetRefused = refused;  // as for anyone but root
        const FloppyHandle h = m.floppy.OpenDrive("b:");
        ASSERT_TRUE(m.floppy.LockDrive(h, 2) && m.floppy.CheckMedia(h));
        RecordingProgress progress;
        m.kernel.log.clear();
        ASSERT_TRUE(m.floppy.FormatAllCylinders(h, {80, F3_1Pt44_512, 2, 18, 512}, progress)) << refused;
        std::vector<std::string> after(m.kernel.log.end() - (refused ? 3 : 1), m.kernel.log.end());
        std::vector<std::string> expected{"SG_SCSI_RESET 4"};
        if (refused) expected.insert(expected.end(), {"close", "open /dev/sdb excl rw"});
        EXPECT_EQ(after, expected);
        EXPECT_EQ(m.kernel.refs("/dev/sdb"), 1);
        std::vector<uint8_t> cylinder(18432, 0xF6);
        uint32_t done = 0;
        EXPECT_TRUE(
            m.floppy.WriteSectors(h, cylinder, done, ByteOffset{0}, 2, 512));  // through O_DIRECT still
        EXPECT_TRUE(m.floppy.CloseDrive(h));
        EXPECT_TRUE(m.kernel.fds.empty());
    }
}

TEST(LinuxFloppyUsb, ProtectionMovedAfterTheOpenIsStillTold) {
    for (const bool beforeCheck : {true, false}) {
        Machine m;
        const FloppyHandle h = m.floppy.OpenDrive("b:");
        ASSERT_TRUE(m.floppy.LockDrive(h, 2));
        if (beforeCheck) m.b().writable = false;  // MODE SENSE sees it
        ASSERT_TRUE(m.floppy.CheckMedia(h));
        if (!beforeCheck) m.b().writable = false;  // sd makes the write fail EPERM
        std::vector<uint8_t> sector(512);
        uint32_t done = 0;
        EXPECT_FALSE(m.floppy.WriteSectors(h, sector, done, ByteOffset{0}, 2, 512));
        EXPECT_EQ(m.floppy.LastError(), 19u);
        EXPECT_EQ(m.count("pwrite"), beforeCheck ? 0u : 1u);
        m.floppy.CloseDrive(h);
    }
}

TEST(LinuxFloppyUsb, DismountSyncsAndDropsTheCacheWhereAllowed) {
    Machine m;
    const FloppyHandle h = m.floppy.OpenDrive("b:");
    m.kernel.log.clear();
    EXPECT_TRUE(m.floppy.DismountDrive(h));  // BLKFLSBUF refused to a user: the next open rereads anyway
    EXPECT_EQ(m.kernel.log, (std::vector<std::string>{"fsync", "BLKFLSBUF"}));
    m.floppy.CloseDrive(h);
}

TEST(LinuxDiscovery, FindsControllerAndUfiDrivesInOrder) {
    namespace fs = std::filesystem;
    const fs::path root = fs::path(::testing::TempDir()) / "linux_discovery";
    fs::remove_all(root);
    auto write = [&](const fs::path& p, const std::string& text) {
        fs::create_directories(p.parent_path());
        std::ofstream(p) << text;
    };
    write(root / "dev/fd0", "");
    write(root / "dev/fd1", "");
    // sdb: UFI interface found by walking up from the device; sdc: a USB stick; sdaa: udev says floppy.
    const fs::path usb = root / "sys/devices/pci0/usb1/1-1/1-1:1.0";
    write(usb / "bInterfaceClass", "08\n");
    write(usb / "bInterfaceSubClass", "04\n");
    fs::create_directories(usb / "host4/target4:0:0/4:0:0:0");
    const fs::path stick = root / "sys/devices/pci0/usb1/1-2/1-2:1.0";
    write(stick / "bInterfaceClass", "08\n");
    write(stick / "bInterfaceSubClass", "06\n");
    fs::create_directories(stick / "host5/target5:0:0/5:0:0:0");
    fs::create_directories(root / "sys/block/sdb");
    fs::create_directories(root / "sys/block/sdc");
    fs::create_directories(root / "sys/block/sdaa");
    fs::create_directory_symlink(usb / "host4/target4:0:0/4:0:0:0", root / "sys/block/sdb/device");
    fs::create_directory_symlink(stick / "host5/target5:0:0/5:0:0:0", root / "sys/block/sdc/device");
    write(root / "sys/block/sdaa/dev", "65:160\n");
    write(root / "run/udev/data/b65:160", "S:disk/by-id/usb-x\nE:ID_TYPE=floppy\n");

    const auto drives = findFloppyDrives(root.string() + "/");
    const std::vector<FloppyDevice> expected{{"a:", "/dev/fd0", DriveBackEnd::Controller},
                                             {"b:", "/dev/fd1", DriveBackEnd::Controller},
                                             {"c:", "/dev/sdb", DriveBackEnd::UsbFloppy},
                                             {"d:", "/dev/sdaa", DriveBackEnd::UsbFloppy}};
    EXPECT_EQ(drives, expected);
    EXPECT_TRUE(findFloppyDrives((root / "nothing").string()).empty());
    fs::remove_all(root);
}

}  // namespace
