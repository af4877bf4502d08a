#include <gtest/gtest.h>

#include <functional>

#include "emulation/emulated_nt_device.h"
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
    std::string what;   // "open", "control", "read", "write", "seek"
    uint32_t code = 0;  // control code; for a seek the move method
    std::vector<uint8_t> in;
    size_t outBytes = 0;
    const void* buffer = nullptr;
    int64_t distance = 0;
    std::string name;
    std::vector<uint32_t> openFlags;  // access, share, disposition, flags
};

class RecordingNtDevice final : public NtDeviceSeam {
  public:
    explicit RecordingNtDevice(NtDeviceSeam& device) : device_(device) {}
    std::vector<Call> calls;
    std::vector<Call> controls() const {
        std::vector<Call> out;
        std::copy_if(calls.begin(), calls.end(), std::back_inserter(out),
                     [](auto& c) { return c.what == "control"; });
        return out;
    }

    Win32Handle CreateFileA(std::string_view name, uint32_t access, uint32_t share, uint32_t disposition,
                            uint32_t flags) override {
        record("open").name = name;
        calls.back().openFlags = {access, share, disposition, flags};
        return device_.CreateFileA(name, access, share, disposition, flags);
    }
    bool DeviceIoControl(Win32Handle h, uint32_t code, std::span<const uint8_t> in, std::span<uint8_t> out,
                         uint32_t& returned) override {
        Call& c = record("control");
        c.code = code, c.in.assign(in.begin(), in.end()), c.outBytes = out.size();
        return device_.DeviceIoControl(h, code, in, out, returned);
    }
    bool ReadFile(Win32Handle h, std::span<uint8_t> buffer, uint32_t& done) override {
        Call& c = record("read");
        c.outBytes = buffer.size(), c.buffer = buffer.data();
        return device_.ReadFile(h, buffer, done);
    }
    bool WriteFile(Win32Handle h, std::span<const uint8_t> buffer, uint32_t& done) override {
        Call& c = record("write");
        c.outBytes = buffer.size(), c.buffer = buffer.data();
        return device_.WriteFile(h, buffer, done);
    }
    uint32_t SetFilePointer(Win32Handle h, int32_t distance, uint32_t method) override {
        Call& c = record("seek");
        c.distance = distance, c.code = method;
        return device_.SetFilePointer(h, distance, method);
    }
    bool CloseHandle(Win32Handle h) override { return device_.CloseHandle(h); }
    uint32_t GetLastError() const override { return device_.GetLastError(); }

  private:
    Call& record(const std::string& what) {
        calls.emplace_back();
        calls.back().what = what;
        return calls.back();
    }
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
    explicit Bench(const std::string& scenario) : Bench(scenarioDrive(scenario)) {}
};

TEST(NtFloppy, OpensTheDriveAsADevice) {
    Bench bench("1.44M");
    ASSERT_NE(bench.handle, INVALID_HANDLE_VALUE);
    EXPECT_EQ(bench.recorder->calls[0].name, "\\\\.\\A:");
    EXPECT_EQ(bench.recorder->calls[0].openFlags,
              (std::vector<uint32_t>{GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     OPEN_EXISTING, 0}));
    EXPECT_EQ(bench.floppy->OpenDrive("B:"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(bench.recorder->calls.back().name, "\\\\.\\B:");
    EXPECT_EQ(bench.floppy->LastError(), ERROR_FILE_NOT_FOUND);
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
        {"unlock", [](NtFloppy& f, FloppyHandle h) { return f.LockDrive(h, 1) && f.UnlockDrive(h, 1); },
         0x9001C, 0},
        {"check", [](NtFloppy& f, FloppyHandle h) { return f.CheckMedia(h); }, 0x2D4800, 0},
        {"dismount", [](NtFloppy& f, FloppyHandle h) { return f.DismountDrive(h); }, 0x90020, 0},
        {"diagnose", [&](NtFloppy& f, FloppyHandle h) { return f.DiagnoseDrive(h, 1, g, text, 1) == 1; },
         0x70000, 24},
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
    EXPECT_EQ(text, "kept");  // the diagnosis is a geometry query and nothing more

    // Every field of the records comes across, also where the type is not one we build.
    Bench bench("1.2M");
    ASSERT_EQ(bench.floppy->QueryMediaTypes(bench.handle), 6);
    const DiskGeometry& small = bench.floppy->MediaTypes()[3];
    EXPECT_EQ(std::vector<int64_t>({small.cylinders, small.mediaType, small.tracksPerCylinder,
                                    small.sectorsPerTrack, small.bytesPerSector}),
              std::vector<int64_t>({40, F5_320_1024, 2, 4, 1024}));
}

TEST(NtFloppy, TransfersGoSequentiallyThroughTheCallersBuffer) {
    std::vector<uint8_t> contents;
    Bench bench(driveWithPattern(DriveKind::Floppy35HD, hdGeometry(), contents));
    auto buffer = alignedBuffer(18432);
    uint32_t done = 0;
    for (uint32_t c = 0; c < 2; ++c) {
        ASSERT_TRUE(
            bench.floppy->ReadSectors(bench.handle, buffer.bytes(), done, 1, ByteOffset{77 * 18432}, 512));
        EXPECT_EQ(done, 18432u);
        EXPECT_TRUE(std::equal(buffer.bytes().begin(), buffer.bytes().end(), contents.begin() + c * 18432));
        EXPECT_EQ(bench.recorder->calls.back().buffer, buffer.bytes().data());
    }
    ASSERT_TRUE(bench.floppy->SetDrivePosition(bench.handle, 66560));
    EXPECT_EQ(bench.recorder->calls.back().what, "seek");
    EXPECT_EQ(bench.recorder->calls.back().distance, 66560);
    EXPECT_EQ(bench.recorder->calls.back().code, FILE_BEGIN);
    ASSERT_TRUE(
        bench.floppy->WriteSectors(bench.handle, buffer.bytes().first(512), done, ByteOffset{0}, 1, 512));
    EXPECT_EQ(bench.recorder->calls.back().what, "write");
    EXPECT_FALSE(bench.floppy->SetDrivePosition(bench.handle, 0x80000000));  // not a signed 32-bit distance
}

TEST(NtFloppy, FormatSendsOneRequestPerCylinderForAllHeads) {
    for (const int32_t type : {F3_1Pt44_512, F5_360_512}) {
        const DiskGeometry g = *builtGeometry(type);
        SCOPED_TRACE(type);
        Bench bench(type == F5_360_512 ? "1.2M:unformatted" : "1.44M:unformatted");
        RecordingProgress progress;
        ASSERT_TRUE(bench.floppy->FormatAllCylinders(bench.handle, g, progress));
        const auto requests = bench.recorder->controls();
        ASSERT_EQ(requests.size(), g.cylinders);
        for (uint32_t c = 0; c < g.cylinders; ++c) {
            FORMAT_PARAMETERS p;
            std::copy_n(requests[c].in.begin(), 20, p.bytes.begin());
            EXPECT_EQ(requests[c].code, IOCTL_DISK_FORMAT_TRACKS);
            EXPECT_EQ(requests[c].in.size(), 20u);
            EXPECT_EQ(std::vector<uint32_t>({p.get(p.MediaType), p.get(p.StartCylinderNumber),
                                             p.get(p.EndCylinderNumber), p.get(p.StartHeadNumber),
                                             p.get(p.EndHeadNumber)}),
                      std::vector<uint32_t>({uint32_t(type), c, c, 0, 1}));
            EXPECT_EQ(requests[c].outBytes, 4u);  // a 16-bit word per head
        }
        EXPECT_EQ(progress.steps, g.cylinders);
        if (type == F3_1Pt44_512) {
            EXPECT_EQ(requests[79].in,
                      (std::vector<uint8_t>{2, 0, 0, 0, 79, 0, 0, 0, 79, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}));
        }
    }
    Bench bench("1.44M:wp");
    RecordingProgress progress;
    EXPECT_FALSE(bench.floppy->FormatAllCylinders(bench.handle, hdGeometry(), progress));
    EXPECT_EQ(bench.recorder->controls().size(), 1u);
}

// A device whose successes claim more than it could have done.
class BoastingNtDevice final : public NtDeviceSeam {
  public:
    uint32_t claimed = 0;
    uint32_t position = 0;
    Win32Handle CreateFileA(std::string_view, uint32_t, uint32_t, uint32_t, uint32_t) override {
        return Win32Handle{1};
    }
    bool DeviceIoControl(Win32Handle, uint32_t, std::span<const uint8_t>, std::span<uint8_t> out,
                         uint32_t& returned) override {
        std::fill(out.begin(), out.end(), 0x5A);
        returned = claimed;
        return true;
    }
    bool ReadFile(Win32Handle, std::span<uint8_t>, uint32_t& done) override { return (done = claimed, true); }
    bool WriteFile(Win32Handle, std::span<const uint8_t>, uint32_t& done) override {
        return (done = claimed, true);
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
    for (const uint32_t claimed : {18432u, 512u, 18433u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(claimed);
        const bool believable = claimed <= 18432;
        device.claimed = claimed;
        uint32_t done = 1;
        EXPECT_EQ(floppy.ReadSectors(h, buffer.bytes(), done, 1, ByteOffset{0}, 512), believable);
        EXPECT_EQ(done, believable ? claimed : 0u);
        EXPECT_EQ(floppy.WriteSectors(h, buffer.bytes(), done, ByteOffset{0}, 1, 512), believable);
        EXPECT_EQ(done, believable ? claimed : 0u);
    }
    for (const uint32_t claimed : {0u, 23u, 25u}) {
        device.claimed = claimed;
        DiskGeometry kept{1, 2, 3, 4, 5};
        EXPECT_FALSE(floppy.QueryGeometry(h, 1, kept)) << claimed;
        EXPECT_EQ(kept.mediaType, 2);
    }
    struct Row {
        uint32_t claimed;
        int count;
    };
    for (const Row& r : std::vector<Row>{{480, 20}, {47, 1}, {481, 0}, {100000, 0}}) {
        device.claimed = r.claimed;
        EXPECT_EQ(floppy.QueryMediaTypes(h), r.count) << r.claimed;
        EXPECT_EQ(floppy.MediaTypes().size(), size_t(r.count));
    }
    device.position = 4096;
    EXPECT_FALSE(floppy.SetDrivePosition(h, 512));
    EXPECT_TRUE(floppy.SetDrivePosition(h, 4096));
}

}  // namespace
