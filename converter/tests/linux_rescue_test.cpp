// The rescue's way into real drives, at the system-call seam: FDRAWCMD's status bytes on a controller drive,
// READ ID, the head put back on its track, the driver's messages quieted and given back, and a USB floppy's
// sense data naming the block a READ(10) failed at.
#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <set>

#include "floppy_fixture.h"
#include "linux/fdc_results.h"
#include "linux/linux_floppy.h"
#include "linux_fake_machine.h"

namespace {

using namespace converter;
using namespace converter::linux_floppy;
using namespace linux_testing;

constexpr uint32_t kBlock(uint32_t c, uint32_t h, uint32_t s) {
    return (c * 2 + h) * 18 + s - 1;
}

// Both drives hold a 1.44 MB medium of known bytes.
struct Machine : TwoDriveMachine {
    Machine() : TwoDriveMachine(5) {}
    // Opened, locked and checked, as the rescue takes a drive.
    FloppyHandle take(const char* letter) {
        const FloppyHandle h = floppy.OpenDrive(letter);
        EXPECT_NE(h, INVALID_HANDLE_VALUE);
        EXPECT_TRUE(floppy.LockDrive(h, 1));
        EXPECT_TRUE(floppy.CheckMedia(h)) << floppy.LastError();
        return h;
    }
    std::span<const uint8_t> block(FakeDrive& d, uint32_t b) { return std::span(d.bytes).subspan(b * 512, 512); }
};

struct RawCase {
    const char* name;
    std::function<void(FakeDrive&)> setup;
    RawReadOutcome outcome;
    uint32_t code;
    bool payload;             // the sector's bytes (for a failed CRC, nearly) are in the buffer
    size_t recalibrations;    // RECALIBRATE commands the read needed
    size_t readIds;
};

TEST(LinuxRawRead, StatusBytesBecomeOutcomes) {
    const SectorId at{3, 1, 5};
    const uint32_t b = kBlock(3, 1, 5);
    const RawCase cases[] = {
        {"a clean sector", [](FakeDrive&) {}, RawReadOutcome::Good, 0, true, 0, 0},
        {"CRC error in the data field: its bytes come back",
         [&](FakeDrive& d) { d.rawFaults[b] = {0x40, fdc::kSt1Crc, fdc::kSt2DataCrc}; },
         RawReadOutcome::DataCrcError, ERROR_CRC, true, 0, 0},
        {"no header with this address (ND)",
         [&](FakeDrive& d) { d.rawFaults[b] = {0x40, fdc::kSt1NoData, 0}; }, RawReadOutcome::NoHeader,
         ERROR_SECTOR_NOT_FOUND, false, 0, 1},
        {"no header on the whole track (MA)", [](FakeDrive& d) { d.bareTracks.insert({3, 1}); },
         RawReadOutcome::NoHeader, ERROR_SECTOR_NOT_FOUND, false, 0, 1},
        {"header without its data field (MA + MD)",
         [&](FakeDrive& d) {
             d.rawFaults[b] = {0x40, fdc::kSt1MissingAddressMark, fdc::kSt2MissingDataMark};
         },
         RawReadOutcome::NoDataMark, ERROR_SECTOR_NOT_FOUND, false, 0, 0},
        {"wrong cylinder (WC): recalibrated, then read", [](FakeDrive& d) { d.seekError = 1; },
         RawReadOutcome::Good, 0, true, 1, 0},
        {"wrong cylinder that stays wrong",
         [&](FakeDrive& d) { d.rawFaults[b] = {0x40, fdc::kSt1NoData, fdc::kSt2WrongCylinder}; },
         RawReadOutcome::Failed, ERROR_SEEK, false, 1, 0},
        {"short transfer", [&](FakeDrive& d) { d.rawFaults[b] = {0x00, 0, 0, 200}; }, RawReadOutcome::Failed,
         ERROR_IO_DEVICE, false, 0, 0},
        {"CRC error with a short transfer: nothing to vote on",
         [&](FakeDrive& d) { d.rawFaults[b] = {0x40, fdc::kSt1Crc, fdc::kSt2DataCrc, 12}; },
         RawReadOutcome::Failed, ERROR_CRC, false, 0, 0},
        {"end of cylinder with everything transferred",
         [&](FakeDrive& d) { d.rawFaults[b] = {0x40, fdc::kSt1EndOfCylinder, 0}; }, RawReadOutcome::Good, 0,
         true, 0, 0},
        {"overrun", [&](FakeDrive& d) { d.rawFaults[b] = {0x40, fdc::kSt1Overrun, 0}; }, RawReadOutcome::Failed,
         ERROR_IO_DEVICE, false, 0, 0},
        {"a protected medium reads all the same", [](FakeDrive& d) { d.writable = false; }, RawReadOutcome::Good,
         0, true, 0, 0},
    };
    for (const RawCase& c : cases) {
        Machine m;
        c.setup(m.a());
        const FloppyHandle h = m.take("a:");
        std::vector<uint8_t> sector(512, 0xEE);
        const RawSectorRead r = m.floppy.ReadSectorRaw(h, at, sector);
        EXPECT_EQ(r.outcome, c.outcome) << c.name;
        EXPECT_EQ(r.code, c.code) << c.name;
        const auto want = m.block(m.a(), b);
        const size_t differing = std::inner_product(sector.begin(), sector.end(), want.begin(), size_t{0},
                                                    std::plus<>(), std::not_equal_to<>());
        // A CRC-failed payload differs in a flipped bit or so; anything else is all or nothing.
        if (c.payload) {
            EXPECT_EQ(differing, c.outcome == RawReadOutcome::DataCrcError ? 1u : 0u) << c.name;
        }
        EXPECT_EQ(m.count("FDRAWCMD RECALIBRATE"), c.recalibrations) << c.name;
        EXPECT_EQ(m.count("FDRAWCMD READID"), c.readIds) << c.name;
        EXPECT_TRUE(m.floppy.CloseDrive(h));
        EXPECT_TRUE(m.kernel.fds.empty());
    }
}

TEST(LinuxRawRead, TheCommandAddressesOneSectorOnItsTrack) {
    Machine m;
    m.a().detected = FloppyParams{720, 9, 2, 40, 1, 0x23, 0x01, 0xDF, 0x50};  // 360 KB in a 1.2 MB drive
    m.kernel.drives["/dev/fd1"] = m.a();
    LinuxFloppy floppy(m.kernel, {{"b:", "/dev/fd1", DriveBackEnd::Controller}});
    const FloppyHandle h = floppy.OpenDrive("b:");
    ASSERT_TRUE(floppy.LockDrive(h, 2) && floppy.CheckMedia(h));
    std::vector<uint8_t> sector(512);
    floppy.ReadSectorRaw(h, {7, 1, 9}, sector);
    // The fake kept the last command's track: a 40-track medium steps twice per cylinder.
    EXPECT_EQ(m.kernel.drives["/dev/fd1"].headTrack, 14);
    EXPECT_EQ(m.kernel.log.back(), "FDRAWCMD READ 7/1/9");
    floppy.CloseDrive(h);
}

TEST(LinuxRawRead, RefusedWhereThereIsNoControllerOrNoMedium) {
    Machine m;
    FloppyHandle h = m.take("b:");
    std::vector<uint8_t> sector(512);
    EXPECT_EQ(m.floppy.ReadSectorRaw(h, {0, 0, 1}, sector).outcome, RawReadOutcome::NotOffered);
    EXPECT_EQ(m.count("FDRAWCMD"), 0u);
    m.floppy.CloseDrive(h);

    h = m.take("a:");
    std::vector<uint8_t> wrongSize(256);
    EXPECT_EQ(m.floppy.ReadSectorRaw(h, {0, 0, 1}, wrongSize).code, ERROR_INVALID_PARAMETER);
    m.a().medium = false;
    const RawSectorRead r = m.floppy.ReadSectorRaw(h, {0, 0, 1}, sector);
    EXPECT_EQ(r.outcome, RawReadOutcome::Failed);
    EXPECT_EQ(r.code, ERROR_NOT_READY);
    m.floppy.CloseDrive(h);
}

// Debian's kernels, among others, leave FDRAWCMD out: the raw path is then not offered, once and for all.
TEST(LinuxRawRead, AKernelWithoutRawCommandsOffersNone) {
    Machine m;
    m.a().rawCompiledOut = true;
    const FloppyHandle h = m.take("a:");
    std::vector<uint8_t> sector(512);
    EXPECT_EQ(m.floppy.ReadSectorRaw(h, {0, 0, 1}, sector).outcome, RawReadOutcome::NotOffered);
    EXPECT_EQ(m.floppy.ReadSectorRaw(h, {0, 0, 2}, sector).outcome, RawReadOutcome::NotOffered);
    EXPECT_FALSE(m.floppy.Recalibrate(h));
    EXPECT_EQ(m.floppy.LastError(), ERROR_NOT_SUPPORTED);
    DiskGeometry g{80, F3_1Pt44_512, 2, 18, 512};
    EXPECT_FALSE(m.floppy.FindTrackLayout(h, g));
    EXPECT_EQ(m.floppy.LastError(), ERROR_NOT_SUPPORTED);
    EXPECT_EQ(g.sectorsPerTrack, 18u);
    EXPECT_EQ(m.count("FDRAWCMD refused"), 1u);
    m.floppy.CloseDrive(h);
}

TEST(LinuxRawRead, ReadIdCountsTheSectorsReallyOnATrack) {
    struct Row {
        uint32_t onTrack;
        bool bare;
        std::optional<uint32_t> expected;
    } rows[] = {{18, false, 18u}, {21, false, 21u}, {9, false, 9u}, {18, true, std::nullopt}};
    for (const Row& r : rows) {
        Machine m;
        m.a().trackSectors = r.onTrack;
        if (r.bare) m.a().bareTracks.insert({0, 0});
        const FloppyHandle h = m.take("a:");
        EXPECT_EQ(m.floppy.SectorsOnTrack(h, 0, 0), r.expected) << r.onTrack;
        if (!r.expected) {
            EXPECT_EQ(m.floppy.LastError(), ERROR_SECTOR_NOT_FOUND);
        }
        m.floppy.CloseDrive(h);
    }
}

TEST(LinuxRawRead, ADiskWithMoreSectorsThanTheDriverSawGetsItsOwnGeometry) {
    struct Row {
        const char* name;
        uint32_t onTrack;
        bool bare;
        bool ok;
        uint32_t sectorsPerTrack;  // the geometry afterwards
        const char* setprm;        // empty: none sent
    } rows[] = {
        {"DMF read as 1.44 MB", 21, false, true, 21, "FDSETPRM 3360,21,2,80,0,1B,00,CF,6C"},
        {"a 1.44 MB disk", 18, false, true, 18, ""},
        {"fewer headers than the driver's format: left to the driver", 9, false, true, 18, ""},
        {"no header on track 0", 18, true, false, 18, ""},
    };
    for (const Row& r : rows) {
        Machine m;
        m.a().trackSectors = r.onTrack;
        if (r.bare) m.a().bareTracks.insert({0, 0});
        const FloppyHandle h = m.take("a:");
        DiskGeometry g{};
        ASSERT_TRUE(m.floppy.QueryGeometry(h, 1, g));
        EXPECT_EQ(m.floppy.FindTrackLayout(h, g), r.ok) << r.name;
        EXPECT_EQ(g.sectorsPerTrack, r.sectorsPerTrack) << r.name;
        EXPECT_EQ(g.cylinders, 80) << r.name;
        const auto set = std::find_if(m.kernel.log.begin(), m.kernel.log.end(),
                                      [](auto& l) { return l.starts_with("FDSETPRM"); });
        EXPECT_EQ(set == m.kernel.log.end() ? "" : *set, r.setprm) << r.name;
        m.floppy.CloseDrive(h);
    }
    Machine m;
    const FloppyHandle h = m.take("b:");
    DiskGeometry g{};
    EXPECT_FALSE(m.floppy.FindTrackLayout(h, g));
    EXPECT_EQ(m.floppy.LastError(), ERROR_NOT_SUPPORTED);
    m.floppy.CloseDrive(h);
}

TEST(LinuxRawRead, RecalibrateReachesTrackZeroThenGoesBack) {
    for (const bool farOut : {false, true}) {
        Machine m;
        m.a().headFarOut = farOut;
        const FloppyHandle h = m.take("a:");
        std::vector<uint8_t> sector(512);
        ASSERT_EQ(m.floppy.ReadSectorRaw(h, {40, 0, 1}, sector).outcome, RawReadOutcome::Good);
        m.kernel.log.clear();
        EXPECT_TRUE(m.floppy.Recalibrate(h)) << m.floppy.LastError();
        std::vector<std::string> expected{"FDRAWCMD RECALIBRATE", "FDRAWCMD SEEK 40"};
        if (farOut) expected.insert(expected.begin(), "FDRAWCMD RECALIBRATE");
        EXPECT_EQ(m.kernel.log, expected) << farOut;
        m.floppy.CloseDrive(h);
    }
}

TEST(LinuxDriverMessages, QuietForTheRunAndGivenBackOnEveryPath) {
    struct Row {
        const char* name;
        bool root;
        bool restoreExplicitly;
    } rows[] = {{"quieted, then given back", true, true},
                {"given back by the close when the rescue did not", true, false},
                {"refused to a user: nothing changed", false, true}};
    for (const Row& r : rows) {
        Machine m;
        m.a().root = r.root;
        const auto before = m.a().driveParams;
        const FloppyHandle h = m.take("a:");
        const bool quiet = m.floppy.QuietDriverMessages(h, true);
        EXPECT_EQ(quiet, r.root) << r.name;
        const auto& now = m.a().driveParams;
        if (r.root) {
            EXPECT_EQ(now[DriveParams::kFlagsAt], before[DriveParams::kFlagsAt] & ~DriveParams::kMessagesFlag);
            EXPECT_GT(loadU32(now, DriveParams::kReportingAt), loadU32(now, DriveParams::kAbortAt)) << r.name;
        } else {
            EXPECT_EQ(m.floppy.LastError(), ERROR_ACCESS_DENIED);
        }
        if (r.restoreExplicitly) {
            EXPECT_TRUE(m.floppy.QuietDriverMessages(h, false)) << r.name;
        }
        EXPECT_TRUE(m.floppy.CloseDrive(h));
        // All but the CMOS type, which the fake fills in when asked.
        EXPECT_TRUE(std::equal(before.begin() + 1, before.end(), m.a().driveParams.begin() + 1)) << r.name;
        EXPECT_EQ(m.count("FDSETDRVPRM"), r.root ? 2u : 1u) << r.name;
    }
    Machine m;
    const FloppyHandle h = m.take("b:");
    EXPECT_FALSE(m.floppy.QuietDriverMessages(h, true));
    EXPECT_EQ(m.floppy.LastError(), ERROR_NOT_SUPPORTED);
    m.floppy.CloseDrive(h);
}

struct UsbCase {
    const char* name;
    std::set<uint32_t> bad;  // blocks of cylinder 1 (36..71)
    bool senseValid;
    std::vector<std::string> reads;  // the READ(10) commands, in order
};

TEST(LinuxUsbRescue, TheSenseDataSplitsAFailedCylinderRead) {
    const UsbCase cases[] = {
        {"healthy", {}, true, {"READ(10) 36+36"}},
        {"one block in the middle: before and after in the same pass", {46}, true,
         {"READ(10) 36+36", "READ(10) 36+10", "READ(10) 47+25"}},
        {"two blocks", {40, 60}, true,
         {"READ(10) 36+36", "READ(10) 36+4", "READ(10) 41+31", "READ(10) 41+19", "READ(10) 61+11"}},
        {"the first and the last block", {36, 71}, true, {"READ(10) 36+36", "READ(10) 37+35", "READ(10) 37+34"}},
        {"no VALID bit: nothing to split on", {46}, false, {"READ(10) 36+36"}},
    };
    for (const UsbCase& c : cases) {
        Machine m;
        m.b().badBlocks = c.bad;
        m.b().senseValid = c.senseValid;
        const FloppyHandle h = m.take("b:");
        m.kernel.log.clear();
        std::vector<uint8_t> cylinder(18432);
        std::vector<bool> good;
        const uint32_t requests = m.floppy.ReadSectorsAround(h, cylinder, 2, ByteOffset{36 * 512}, 512, good);
        EXPECT_EQ(m.kernel.log, c.reads) << c.name;
        EXPECT_EQ(requests, c.reads.size()) << c.name;
        ASSERT_EQ(good.size(), 36u);
        for (uint32_t i = 0; i < 36; ++i) {
            const bool expected = c.senseValid ? !c.bad.count(36 + i) : c.bad.empty();
            EXPECT_EQ(good[i], expected) << c.name << " block " << 36 + i;
            if (good[i]) {
                const auto want = m.block(m.b(), 36 + i);
                EXPECT_TRUE(std::equal(want.begin(), want.end(), cylinder.begin() + i * 512)) << c.name;
            }
        }
        m.floppy.CloseDrive(h);
    }
}

TEST(LinuxUsbRescue, RezeroUnitWhereTheDriveTakesIt) {
    for (const bool refused : {false, true}) {
        Machine m;
        m.b().rezeroRefused = refused;
        const FloppyHandle h = m.take("b:");
        EXPECT_EQ(m.floppy.Recalibrate(h), !refused);
        EXPECT_EQ(m.floppy.Recalibrate(h), !refused);
        if (refused) {
            EXPECT_EQ(m.floppy.LastError(), ERROR_NOT_SUPPORTED);
        }
        // A drive that refused once is not asked again.
        EXPECT_EQ(m.count("REZERO UNIT"), refused ? 1u : 2u);
        m.floppy.CloseDrive(h);
    }
}

TEST(LinuxUsbRescue, AControllerDriveReadsTheCylinderOnce) {
    Machine m;
    const FloppyHandle h = m.take("a:");
    m.kernel.log.clear();
    std::vector<uint8_t> cylinder(18432);
    std::vector<bool> good;
    EXPECT_EQ(m.floppy.ReadSectorsAround(h, cylinder, 1, ByteOffset{18432}, 512, good), 1u);
    EXPECT_EQ(m.kernel.log, (std::vector<std::string>{"pread 18432"}));
    EXPECT_EQ(std::count(good.begin(), good.end(), true), 36);
    m.floppy.CloseDrive(h);
}

}  // namespace
