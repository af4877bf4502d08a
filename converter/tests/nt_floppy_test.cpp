#include <gtest/gtest.h>

#include <functional>

#include "emulation/emulated_nt_device.h"
#include "emulation/scenario.h"
#include "floppy_fixture.h"
#include "media_types.h"
#include "winnt/format_parameters.h"
#include "winnt/nt_control_codes.h"
#include "winnt/nt_floppy.h"

namespace {

using namespace converter;
using namespace converter::emulation;
using namespace converter::winnt;
using namespace floppy_testing;

struct Call {
    std::string what;  // "open", "control", "read", "write", "seek", "close"
    uint32_t code = 0;
    std::vector<uint8_t> in;
    size_t outBytes = 0;
    const void* buffer = nullptr;
    int64_t number = 0;  // seek distance
    uint32_t moveMethod = 0;
    std::string name;
    uint32_t access = 0, share = 0, disposition = 0, flags = 0;
};

class RecordingNtDevice final : public NtDeviceSeam {
public:
    explicit RecordingNtDevice(NtDeviceSeam& device) : device_(device) {}
    std::vector<Call> calls;

    std::vector<Call> controls() const {
        std::vector<Call> out;
        std::copy_if(calls.begin(), calls.end(), std::back_inserter(out), [](const Call& c) { return c.what == "control"; });
        return out;
    }

    Win32Handle CreateFileA(std::string_view name, uint32_t access, uint32_t share, uint32_t disposition,
                            uint32_t flags) override {
        Call c;
        c.what = "open";
        c.name = name, c.access = access, c.share = share, c.disposition = disposition, c.flags = flags;
        calls.push_back(c);
        return device_.CreateFileA(name, access, share, disposition, flags);
    }
    bool DeviceIoControl(Win32Handle h, uint32_t code, std::span<const uint8_t> in, std::span<uint8_t> out,
                         uint32_t& returned) override {
        Call c;
        c.what = "control", c.code = code, c.in.assign(in.begin(), in.end()), c.outBytes = out.size();
        calls.push_back(c);
        return device_.DeviceIoControl(h, code, in, out, returned);
    }
    bool ReadFile(Win32Handle h, std::span<uint8_t> buffer, uint32_t& done) override {
        Call c;
        c.what = "read";
        c.outBytes = buffer.size(), c.buffer = buffer.data();
        calls.push_back(c);
        return device_.ReadFile(h, buffer, done);
    }
    bool WriteFile(Win32Handle h, std::span<const uint8_t> buffer, uint32_t& done) override {
        Call c;
        c.what = "write";
        c.outBytes = buffer.size(), c.buffer = buffer.data();
        calls.push_back(c);
        return device_.WriteFile(h, buffer, done);
    }
    uint32_t SetFilePointer(Win32Handle h, int32_t distance, uint32_t method) override {
        Call c;
        c.what = "seek";
        c.number = distance, c.moveMethod = method;
        calls.push_back(c);
        return device_.SetFilePointer(h, distance, method);
    }
    bool CloseHandle(Win32Handle h) override {
        Call c;
        c.what = "close";
        calls.push_back(c);
        return device_.CloseHandle(h);
    }
    uint32_t GetLastError() const override { return device_.GetLastError(); }

private:
    NtDeviceSeam& device_;
};

struct Bench {
    std::unique_ptr<EmulatedDrive> drive;
    std::unique_ptr<EmulatedNtDevice> device;
    std::unique_ptr<RecordingNtDevice> recorder;
    std::unique_ptr<NtFloppy> floppy;
    FloppyHandle handle = INVALID_HANDLE_VALUE;

    explicit Bench(std::unique_ptr<EmulatedDrive> d) : drive(std::move(d)) {
        device = std::make_unique<EmulatedNtDevice>(*drive);
        recorder = std::make_unique<RecordingNtDevice>(*device);
        floppy = std::make_unique<NtFloppy>(*recorder);
        handle = floppy->OpenDrive("A:");
    }
    explicit Bench(const std::string& scenario) : Bench(build(scenario)) {}
    static std::unique_ptr<EmulatedDrive> build(const std::string& scenario) {
        std::string error;
        auto d = buildDrive(*parseScenario(scenario).scenario, error);
        EXPECT_TRUE(d) << error;
        return d;
    }
};

TEST(NtFloppy, OpensTheDriveAsADevice) {
    Bench bench("1.44M");
    ASSERT_NE(bench.handle, INVALID_HANDLE_VALUE);
    const Call& open = bench.recorder->calls.front();
    EXPECT_EQ(open.name, "\\\\.\\A:");
    EXPECT_EQ(open.access, GENERIC_READ | GENERIC_WRITE);
    EXPECT_EQ(open.share, FILE_SHARE_READ | FILE_SHARE_WRITE);
    EXPECT_EQ(open.disposition, OPEN_EXISTING);
    EXPECT_EQ(open.flags, 0u);

    EXPECT_EQ(bench.floppy->OpenDrive("B:"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(bench.recorder->calls.back().name, "\\\\.\\B:");
    EXPECT_EQ(bench.floppy->LastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(bench.floppy->CloseDrive(bench.handle));
    EXPECT_FALSE(bench.floppy->CloseDrive(bench.handle));
    EXPECT_EQ(bench.floppy->LastError(), ERROR_INVALID_HANDLE);
}

TEST(NtFloppy, EachOperationSendsItsControlCode) {
    struct Row {
        std::string what;
        std::function<bool(NtFloppy&, FloppyHandle)> call;
        uint32_t code;
        size_t outBytes;
    };
    DiskGeometry g{};
    std::string text = "kept";
    const std::vector<Row> rows{
        {"geometry", [&](NtFloppy& f, FloppyHandle h) { return f.QueryGeometry(h, 1, g); }, 0x70000, 24},
        {"media types", [](NtFloppy& f, FloppyHandle h) { return f.QueryMediaTypes(h) == 2; }, 0x2D0C00, 480},
        {"lock", [](NtFloppy& f, FloppyHandle h) { return f.LockDrive(h, 1); }, 0x90018, 0},
        {"unlock", [](NtFloppy& f, FloppyHandle h) { return f.LockDrive(h, 1) && f.UnlockDrive(h, 1); }, 0x9001C, 0},
        {"check", [](NtFloppy& f, FloppyHandle h) { return f.CheckMedia(h); }, 0x2D4800, 0},
        {"dismount", [](NtFloppy& f, FloppyHandle h) { return f.DismountDrive(h); }, 0x90020, 0},
        {"diagnose", [&](NtFloppy& f, FloppyHandle h) { return f.DiagnoseDrive(h, 1, g, text, 1) == 1; }, 0x70000, 24},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        Bench bench("1.44M");
        ASSERT_TRUE(r.call(*bench.floppy, bench.handle));
        const Call& c = bench.recorder->calls.back();
        EXPECT_EQ(c.what, "control");
        EXPECT_EQ(c.code, r.code);
        EXPECT_TRUE(c.in.empty());
        EXPECT_EQ(c.outBytes, r.outBytes);
    }
    EXPECT_EQ(g.mediaType, F3_1Pt44_512);
    EXPECT_EQ(text, "kept");  // the diagnosis is a geometry query only
    EXPECT_EQ(IOCTL_DISK_GET_DRIVE_GEOMETRY, 0x70000u);
}

TEST(NtFloppy, GeometryAndMediaTypesAsTheDriverReports) {
    Bench bench("1.2M:blank=360K");
    DiskGeometry g{};
    ASSERT_TRUE(bench.floppy->QueryGeometry(bench.handle, 1, g));
    EXPECT_EQ(g.mediaType, F5_360_512);
    EXPECT_EQ(g.cylinders, 40);
    EXPECT_EQ(g.sectorsPerTrack, 9u);
    ASSERT_EQ(bench.floppy->QueryMediaTypes(bench.handle), 6);
    EXPECT_EQ(bench.floppy->MediaTypes()[3].mediaType, F5_320_1024);
    EXPECT_EQ(bench.floppy->MediaTypes()[3].bytesPerSector, 1024u);
    EXPECT_EQ(bench.floppy->MediaTypes()[4].tracksPerCylinder, 1u);

    struct Row {
        std::string scenario;
        int count;
        uint32_t error;
    };
    for (const Row& r : std::vector<Row>{{"1.44M:types=20", 20, 0},
                                         {"1.44M:types=21", 0, ERROR_INSUFFICIENT_BUFFER},
                                         {"1.44M:types=64", 0, ERROR_INSUFFICIENT_BUFFER},
                                         {"1.44M:none", 2, 0},  // the drive's abilities need no floppy
                                         {"1.44M:noanswer", 0, ERROR_NOT_READY}}) {
        SCOPED_TRACE(r.scenario);
        Bench b(r.scenario);
        EXPECT_EQ(b.floppy->QueryMediaTypes(b.handle), r.count);
        EXPECT_EQ(b.floppy->MediaTypes().size(), size_t(r.count));
        if (r.error) {
            EXPECT_EQ(b.floppy->LastError(), r.error);
        }
    }
    // A failed query forgets what an earlier one listed.
    Bench b("1.44M");
    ASSERT_EQ(b.floppy->QueryMediaTypes(b.handle), 2);
    b.drive->setSupportedTypes(std::vector<DiskGeometry>(21, hdGeometry()));
    EXPECT_EQ(b.floppy->QueryMediaTypes(b.handle), 0);
    EXPECT_TRUE(b.floppy->MediaTypes().empty());

    for (const std::string s : {"1.44M:none", "1.44M:unformatted"}) {
        Bench q(s);
        DiskGeometry kept{1, 2, 3, 4, 5};
        EXPECT_FALSE(q.floppy->QueryGeometry(q.handle, 1, kept));
        EXPECT_EQ(kept.cylinders, 1);
        EXPECT_EQ(q.floppy->LastError(), s.ends_with("none") ? ERROR_NOT_READY : ERROR_UNRECOGNIZED_MEDIA);
    }
}

TEST(NtFloppy, TransfersGoSequentiallyIntoTheCallersBuffer) {
    std::vector<uint8_t> contents;
    Bench bench(driveWithPattern(DriveKind::Floppy35HD, hdGeometry(), contents));
    auto buffer = alignedBuffer(18432);
    uint32_t done = 0;
    for (uint32_t c = 0; c < 2; ++c) {
        ASSERT_TRUE(bench.floppy->ReadSectors(bench.handle, buffer.bytes(), done, 1, 77 * 18432, 512));
        EXPECT_EQ(done, 18432u);
        EXPECT_TRUE(std::equal(buffer.bytes().begin(), buffer.bytes().end(), contents.begin() + c * 18432));
        EXPECT_EQ(bench.recorder->calls.back().buffer, buffer.bytes().data());
        EXPECT_EQ(bench.recorder->calls.back().outBytes, 18432u);
    }
    ASSERT_TRUE(bench.floppy->SetDrivePosition(bench.handle, 66560));
    const Call& seek = bench.recorder->calls.back();
    EXPECT_EQ(seek.what, "seek");
    EXPECT_EQ(seek.number, 66560);
    EXPECT_EQ(seek.moveMethod, FILE_BEGIN);
    ASSERT_TRUE(bench.floppy->WriteSectors(bench.handle, buffer.bytes().first(512), done, 0, 1, 512));
    EXPECT_EQ(done, 512u);
    EXPECT_EQ(bench.recorder->calls.back().what, "write");
    EXPECT_EQ(bench.floppy->SetDrivePosition(bench.handle, 0x80000000), false);
    EXPECT_EQ(bench.floppy->LastError(), ERROR_INVALID_PARAMETER);
}

TEST(NtFloppy, FailuresCarryThePlatformError) {
    struct Row {
        std::string scenario;
        bool write;
        uint32_t cylinder;
        uint32_t error;
    };
    for (const Row& r : std::vector<Row>{{"1.44M:bad=3/1/5", false, 3, ERROR_CRC},
                                         {"1.44M:bad=3/1/5@4", false, 3, ERROR_SECTOR_NOT_FOUND},
                                         {"1.44M:wp", true, 0, ERROR_WRITE_PROTECT},
                                         {"1.44M:none", false, 0, ERROR_NOT_READY},
                                         {"1.44M:noanswer", false, 0, ERROR_NOT_READY}}) {
        SCOPED_TRACE(r.scenario);
        Bench bench(r.scenario);
        auto buffer = alignedBuffer(18432);
        ASSERT_TRUE(bench.floppy->SetDrivePosition(bench.handle, r.cylinder * 18432));
        uint32_t done = 3;
        EXPECT_FALSE(r.write ? bench.floppy->WriteSectors(bench.handle, buffer.bytes(), done, 0, 1, 512)
                             : bench.floppy->ReadSectors(bench.handle, buffer.bytes(), done, 1, 0, 512));
        EXPECT_EQ(done, 0u);
        EXPECT_EQ(bench.floppy->LastError(), r.error);
    }
}

TEST(NtFloppy, LockFailsWhileAnotherProgramUsesTheFloppy) {
    Bench bench("1.44M:locked");
    ASSERT_NE(bench.handle, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(bench.floppy->LockDrive(bench.handle, 1));
    EXPECT_EQ(bench.floppy->LastError(), ERROR_ACCESS_DENIED);

    Bench none("1.44M:none");
    EXPECT_FALSE(none.floppy->CheckMedia(none.handle));
    EXPECT_EQ(none.floppy->LastError(), ERROR_NOT_READY);
    EXPECT_TRUE(none.floppy->DismountDrive(none.handle));
    EXPECT_EQ(none.device->dismounts(), 1u);
}

TEST(NtFloppy, FormatSendsOneRequestPerCylinder) {
    struct Row {
        std::string scenario;
        int32_t type;
        uint32_t cylinders;
    };
    for (const Row& r : std::vector<Row>{{"1.44M:unformatted", F3_1Pt44_512, 80},
                                         {"1.2M:unformatted", F5_360_512, 40}}) {
        SCOPED_TRACE(r.scenario);
        Bench bench(r.scenario);
        RecordingProgress progress;
        ASSERT_TRUE(bench.floppy->FormatAllCylinders(bench.handle, *builtGeometry(r.type), progress));
        const auto requests = bench.recorder->controls();
        ASSERT_EQ(requests.size(), r.cylinders);
        for (uint32_t c = 0; c < r.cylinders; ++c) {
            const Call& q = requests[c];
            EXPECT_EQ(q.code, IOCTL_DISK_FORMAT_TRACKS);
            FORMAT_PARAMETERS expected;
            expected.set(FORMAT_PARAMETERS::MediaType, static_cast<uint32_t>(r.type));
            expected.set(FORMAT_PARAMETERS::StartCylinderNumber, c);
            expected.set(FORMAT_PARAMETERS::EndCylinderNumber, c);
            expected.set(FORMAT_PARAMETERS::StartHeadNumber, 0);
            expected.set(FORMAT_PARAMETERS::EndHeadNumber, 1);
            EXPECT_EQ(q.in, std::vector<uint8_t>(expected.bytes.begin(), expected.bytes.end())) << c;
            EXPECT_EQ(q.outBytes, 4u);  // a 16-bit word per head
        }
        EXPECT_EQ(progress.steps, r.cylinders);
        EXPECT_EQ(progress.calls,
                  (std::vector<std::string>{"range 0.." + std::to_string(r.cylinders), "step 1", "pos 0"}));
    }
    // The bytes of one request, written out.
    Bench bench("1.44M:unformatted");
    RecordingProgress progress;
    ASSERT_TRUE(bench.floppy->FormatAllCylinders(bench.handle, hdGeometry(), progress));
    EXPECT_EQ(bench.recorder->controls()[79].in,
              (std::vector<uint8_t>{2, 0, 0, 0, 79, 0, 0, 0, 79, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}));
}

TEST(NtFloppy, FormatOfAWriteProtectedFloppyStopsAtOnceWith19) {
    Bench bench("1.44M:wp");
    RecordingProgress progress;
    EXPECT_FALSE(bench.floppy->FormatAllCylinders(bench.handle, hdGeometry(), progress));
    EXPECT_EQ(bench.floppy->LastError(), ERROR_WRITE_PROTECT);
    EXPECT_EQ(bench.recorder->controls().size(), 1u);
    EXPECT_EQ(progress.steps, 0u);
}

// A device whose successes claim more than it could have done.
class BoastingNtDevice final : public NtDeviceSeam {
public:
    uint32_t claimed = 0;
    uint32_t position = 0;
    Win32Handle CreateFileA(std::string_view, uint32_t, uint32_t, uint32_t, uint32_t) override { return Win32Handle{1}; }
    bool DeviceIoControl(Win32Handle, uint32_t, std::span<const uint8_t>, std::span<uint8_t> out,
                         uint32_t& returned) override {
        std::fill(out.begin(), out.end(), 0x5A);
        returned = claimed;
        return true;
    }
    bool ReadFile(Win32Handle, std::span<uint8_t> buffer, uint32_t& done) override {
        std::fill(buffer.begin(), buffer.end(), 0x5A);
        done = claimed;
        return true;
    }
    bool WriteFile(Win32Handle, std::span<const uint8_t>, uint32_t& done) override {
        done = claimed;
        return true;
    }
    uint32_t SetFilePointer(Win32Handle, int32_t, uint32_t) override { return position; }
    bool CloseHandle(Win32Handle) override { return true; }
    uint32_t GetLastError() const override { return 0; }
};

TEST(NtFloppy, ClaimsBeyondTheBufferAreNotBelieved) {
    BoastingNtDevice device;
    NtFloppy floppy(device);
    const FloppyHandle h = floppy.OpenDrive("A:");
    auto buffer = alignedBuffer(18432);
    struct Row {
        uint32_t claimed;
        bool ok;
    };
    for (const Row& r : std::vector<Row>{{18432, true}, {512, true}, {18433, false}, {0xFFFFFFFF, false}}) {
        SCOPED_TRACE(r.claimed);
        device.claimed = r.claimed;
        uint32_t done = 1;
        EXPECT_EQ(floppy.ReadSectors(h, buffer.bytes(), done, 1, 0, 512), r.ok);
        EXPECT_EQ(done, r.ok ? r.claimed : 0u);
        EXPECT_EQ(floppy.WriteSectors(h, buffer.bytes(), done, 0, 1, 512), r.ok);
        EXPECT_EQ(done, r.ok ? r.claimed : 0u);
        if (!r.ok) {
            EXPECT_EQ(floppy.LastError(), ERROR_INVALID_DATA);
        }
    }
    for (const uint32_t claimed : {0u, 23u, 25u, 480u}) {
        device.claimed = claimed;
        DiskGeometry kept{1, 2, 3, 4, 5};
        EXPECT_FALSE(floppy.QueryGeometry(h, 1, kept)) << claimed;
        EXPECT_EQ(kept.mediaType, 2);
    }
    for (const uint32_t claimed : {481u, 100000u}) {
        device.claimed = claimed;
        EXPECT_EQ(floppy.QueryMediaTypes(h), 0) << claimed;
        EXPECT_TRUE(floppy.MediaTypes().empty());
    }
    device.claimed = 480;
    EXPECT_EQ(floppy.QueryMediaTypes(h), 20);
    device.claimed = 47;  // a part of a record counts for nothing
    EXPECT_EQ(floppy.QueryMediaTypes(h), 1);

    device.position = 4096;
    EXPECT_FALSE(floppy.SetDrivePosition(h, 512));
    EXPECT_TRUE(floppy.SetDrivePosition(h, 4096));
}

}  // namespace
