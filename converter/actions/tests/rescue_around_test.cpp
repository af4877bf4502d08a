// A rescue over a drive that names the sector a cylinder read failed at (as a USB floppy's sense data
// does): the sectors around it come in with the cylinder pass, only the named ones wait for the sector
// pass, and the driver's messages are quieted for the run and given back.
#include <gtest/gtest.h>

#include <set>

#include "action_fixture.h"
#include "converter/actions/rescue_floppy.h"
#include "linux/linux_floppy.h"
#include "linux_fake_kernel.h"
#include "platform/containers/mapfile.h"

namespace converter::actions::testing {
namespace {

constexpr uint32_t kSectors = 36;  // a 1.44 MB cylinder

// The emulated drive, but its cylinder reads skip the named sectors in as many requests as splitting
// around them takes, and it keeps a record of the quiet/loud calls.
class NamingAccess final : public FloppyAccess {
  public:
    NamingAccess(FloppyAccess& inner, std::set<uint32_t> failing) : inner_(inner), failing_(std::move(failing)) {}

    std::vector<std::string> quietCalls;
    uint32_t aroundCalls = 0;

    FloppyHandle OpenDrive(std::string_view text) override { return pass(inner_.OpenDrive(text)); }
    bool CloseDrive(FloppyHandle h) override { return pass(inner_.CloseDrive(h)); }
    bool QueryGeometry(FloppyHandle h, int d, DiskGeometry& g) override { return pass(inner_.QueryGeometry(h, d, g)); }
    int QueryMediaTypes(FloppyHandle h) override { return pass(inner_.QueryMediaTypes(h)); }
    bool LockDrive(FloppyHandle h, int d) override { return pass(inner_.LockDrive(h, d)); }
    bool UnlockDrive(FloppyHandle h, int d) override { return pass(inner_.UnlockDrive(h, d)); }
    bool CheckMedia(FloppyHandle h) override { return pass(inner_.CheckMedia(h)); }
    bool DismountDrive(FloppyHandle h) override { return pass(inner_.DismountDrive(h)); }
    bool ReadSectors(FloppyHandle h, std::span<uint8_t> b, uint32_t& done, int d, ByteOffset o, uint32_t bps) override {
        if (failing_.count(o.value / bps) != 0) {
            done = 0;
            return fail(ERROR_CRC);
        }
        return pass(inner_.ReadSectors(h, b, done, d, o, bps));
    }
    bool WriteSectors(FloppyHandle h, std::span<const uint8_t> b, uint32_t& done, ByteOffset o, int d,
                      uint32_t bps) override {
        return pass(inner_.WriteSectors(h, b, done, o, d, bps));
    }
    bool SetDrivePosition(FloppyHandle h, uint32_t offset) override { return pass(inner_.SetDrivePosition(h, offset)); }
    bool FormatAllCylinders(FloppyHandle h, const DiskGeometry& g, ProgressPort& p) override {
        return pass(inner_.FormatAllCylinders(h, g, p));
    }
    uint32_t ReadSectorsAround(FloppyHandle h, std::span<uint8_t> buffer, int d, ByteOffset o, uint32_t bps,
                               std::vector<bool>& good) override {
        ++aroundCalls;
        const uint32_t first = o.value / bps;
        good.assign(buffer.size() / bps, false);
        uint32_t requests = 1;  // the whole cylinder, failing at its first named sector
        for (uint32_t i = 0; i < good.size(); ++i) {
            if (failing_.count(first + i) != 0) {
                ++requests;  // the run after it
                continue;
            }
            uint32_t done = 0;
            good[i] = inner_.SetDrivePosition(h, (first + i) * bps) &&
                      inner_.ReadSectors(h, buffer.subspan(size_t{i} * bps, bps), done, d, ByteOffset{(first + i) * bps},
                                         bps);
        }
        return requests;
    }
    bool QuietDriverMessages(FloppyHandle, bool quiet) override {
        quietCalls.emplace_back(quiet ? "quiet" : "loud");
        return true;
    }

  private:
    template <typename T>
    T pass(T result) {
        lastError_ = inner_.LastError();
        return result;
    }
    FloppyAccess& inner_;
    std::set<uint32_t> failing_;
};

class Recorder final : public RescueObserver {
  public:
    RescueSummary summary;
    Result result;
    std::vector<std::string> passes;
    std::vector<RescueNote> notes;
    bool insertMedium() override { return false; }
    void started(Phase, const DiskGeometry&) override {}
    void cylinderDone(Phase, uint32_t) override {}
    void finished(const Result& r) override { result = r; }
    void passStarted(RescuePass pass, uint32_t round, uint32_t missing) override {
        passes.push_back(std::to_string(static_cast<int>(pass)) + "/" + std::to_string(round) + " missing " +
                         std::to_string(missing));
    }
    void cylinderTried(RescuePass, uint32_t, uint32_t) override {}
    void sectorTried(RescuePass, const SectorResult&) override {}
    bool stopRequested() override { return false; }
    void rescued(const RescueSummary& s) override { summary = s; }
    void noted(RescueNote note, uint32_t) override { notes.push_back(note); }
};

TEST(RescueAround, OnlyTheNamedSectorsWaitForTheSectorPass) {
    struct Row {
        const char* name;
        std::set<uint32_t> failing;
        uint64_t requests;  // cylinder pass, sector pass and one retry round
        size_t missing;
    } rows[] = {
        {"healthy", {}, 80, 0},
        {"one sector in the middle of cylinder 3", {3 * kSectors + 10}, 80 + 1 + 1 + 1, 1},
        {"the first and the last sector of cylinder 5", {5 * kSectors, 5 * kSectors + 35}, 80 + 2 + 2 + 2, 2},
    };
    for (const Row& r : rows) {
        testing_support::ScratchDir scratch;
        const auto content = testing_support::patternBytes(1474560, 3);
        testing_support::writeFile(scratch / "medium.img", content);
        DriveSetup setup = emulatedDrives({"a=1.44M:" + (scratch / "medium.img").string()}, "");
        ASSERT_EQ(setup.error, "");
        NamingAccess access(*setup.entries.at(0).access, r.failing);
        Recorder recorder;
        const RescueRequest request{(scratch / "out.img").string(), (scratch / "out.map").string(), 1, "test", false};
        rescueFloppy({access, 1, setup.osKind}, request, recorder);
        EXPECT_EQ(recorder.result.failure, Failure::None) << r.name;
        EXPECT_EQ(access.aroundCalls, 80u) << r.name;
        EXPECT_EQ(recorder.summary.requests, r.requests) << r.name;
        EXPECT_EQ(recorder.summary.missing.size(), r.missing) << r.name;
        // The sector pass starts with only the named sectors missing.
        if (!r.failing.empty()) {
            EXPECT_EQ(recorder.passes.at(1), "1/1 missing " + std::to_string(r.failing.size())) << r.name;
        }
        const auto image = testing_support::readFile(scratch / "out.img");
        ASSERT_EQ(image.size(), content.size());
        for (uint32_t s = 0; s < 2880; ++s) {
            const bool filled = r.failing.count(s) != 0;
            const auto at = image.begin() + s * 512;
            EXPECT_EQ(std::equal(at, at + 512, content.begin() + s * 512), !filled) << r.name << " sector " << s;
        }
        EXPECT_EQ(access.quietCalls, (std::vector<std::string>{"quiet", "loud"})) << r.name;
        EXPECT_TRUE(recorder.notes.empty());
    }
}

// A DMF disk in a controller drive, at the system-call seam: the driver took it for 1.44 MB, READ ID
// finds 21 sectors on a track, and the rescue images all 3360 with one request per cylinder, the driver
// quiet meanwhile and its messages given back.
TEST(RescueAround, ADmfDiskIsImagedWhole) {
    using namespace linux_testing;
    FakeKernel kernel;
    FakeDrive fd0;
    fd0.detected = hd144();
    fd0.trackSectors = 21;
    fd0.bytes = testing_support::patternBytes(1720320, 9);
    kernel.drives["/dev/fd0"] = fd0;
    const auto loud = fd0.driveParams;
    converter::linux_floppy::LinuxFloppy floppy(
        kernel, {{"a:", "/dev/fd0", converter::linux_floppy::DriveBackEnd::Controller}});
    testing_support::ScratchDir scratch;
    Recorder recorder;
    const RescueRequest request{(scratch / "dmf.img").string(), (scratch / "dmf.map").string(), 1, "test", false};
    rescueFloppy({floppy, 1, OsKind::Nt}, request, recorder);
    EXPECT_EQ(recorder.result.failure, Failure::None);
    EXPECT_EQ(recorder.summary.sectors, 3360u);
    EXPECT_EQ(recorder.summary.requests, 80u);
    EXPECT_TRUE(recorder.summary.missing.empty());
    EXPECT_EQ(testing_support::readFile(scratch / "dmf.img"), kernel.drives["/dev/fd0"].bytes);
    const auto& after = kernel.drives["/dev/fd0"].driveParams;
    EXPECT_TRUE(std::equal(loud.begin() + 1, loud.end(), after.begin() + 1));
    EXPECT_EQ(std::count(kernel.log.begin(), kernel.log.end(), "FDSETDRVPRM"), 2);
    EXPECT_TRUE(kernel.fds.empty());
    EXPECT_TRUE(recorder.notes.empty());
}

}  // namespace
}  // namespace converter::actions::testing
