#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "bootsectors/boot_templates.h"
#include "emulation/emulated_vwin32.h"
#include "floppy_fixture.h"
#include "media_types.h"
#include "win9x/disk_io.h"
#include "win9x/win9x_floppy.h"

namespace {

using namespace converter;
using namespace converter::emulation;
using namespace converter::win9x;
using namespace floppy_testing;
using R = DIOC_REGISTERS;

// One request as it left the variant: the registers and the blocks they point at.
struct Request {
    uint32_t code;
    R in, out;
    bool oneBlock;                                 // in and out were the same 28 bytes
    std::optional<DEVICEPARAMS> params;            // what EDX reached
    std::optional<DISKIO> packet;                  // what EBX reached
    std::optional<std::span<const uint8_t>> data;  // what the packet's buffer address reaches
};

class RecordingVwin32 final : public Vwin32Seam {
  public:
    explicit RecordingVwin32(Vwin32Seam& device) : device_(device) {}
    std::vector<Request> requests;
    std::vector<std::string> opened;

    Win32Handle CreateFileA(std::string_view name, uint32_t access, uint32_t share, uint32_t disposition,
                            uint32_t flags) override {
        opened.push_back(std::string(name) + " " + std::to_string(access) + " " + std::to_string(share) +
                         " " + std::to_string(disposition) + " " + std::to_string(flags));
        return device_.CreateFileA(name, access, share, disposition, flags);
    }
    bool DeviceIoControl(Win32Handle handle, uint32_t code, std::span<const uint8_t> in,
                         std::span<uint8_t> out, uint32_t& bytesReturned,
                         const LinearMemory& memory) override {
        Request q{code, {}, {}, in.data() == out.data() && in.size() == 28 && out.size() == 28, {}, {}, {}};
        std::copy_n(in.begin(), 28, q.in.bytes.begin());
        if (auto block = memory.reach(q.in.get(R::reg_EDX), 40); block && code == VWIN32_DIOC_DOS_IOCTL) {
            std::copy(block->begin(), block->end(), q.params.emplace().bytes.begin());
        }
        if (auto block = memory.reach(q.in.get(R::reg_EBX), 10); block && code != VWIN32_DIOC_DOS_IOCTL) {
            std::copy(block->begin(), block->end(), q.packet.emplace().bytes.begin());
            q.data = memory.reach(q.packet->get(DISKIO::dwBuffer), q.packet->get(DISKIO::wSectors) * 512);
        }
        const bool ok = device_.DeviceIoControl(handle, code, in, out, bytesReturned, memory);
        std::copy_n(out.begin(), 28, q.out.bytes.begin());
        requests.push_back(q);
        return ok;
    }
    bool CloseHandle(Win32Handle handle) override { return device_.CloseHandle(handle); }
    uint32_t GetLastError() const override { return device_.GetLastError(); }

  private:
    Vwin32Seam& device_;
};

struct Bench {
    std::unique_ptr<EmulatedDrive> drive;
    std::unique_ptr<EmulatedVwin32> device;
    std::unique_ptr<RecordingVwin32> recorder;
    std::unique_ptr<Win9xFloppy> floppy;
    FloppyHandle handle = INVALID_HANDLE_VALUE;

    explicit Bench(std::unique_ptr<EmulatedDrive> d, int floppyDrive = 1) : drive(std::move(d)) {
        device = std::make_unique<EmulatedVwin32>(*drive, floppyDrive);
        recorder = std::make_unique<RecordingVwin32>(*device);
        floppy = std::make_unique<Win9xFloppy>(*recorder);
        handle = floppy->OpenDrive("A:");
    }
    explicit Bench(const std::string& scenario) : Bench(scenarioDrive(scenario)) {}
};

TEST(Win9xFloppy, OpensVwin32WhateverTheDrive) {
    Bench bench("1.44M");
    ASSERT_NE(bench.handle, INVALID_HANDLE_VALUE);
    ASSERT_NE(bench.floppy->OpenDrive("B:"), INVALID_HANDLE_VALUE);
    const std::string expected = "\\\\.\\VWIN32 " + std::to_string(GENERIC_READ) + " 1 3 0";
    EXPECT_EQ(bench.recorder->opened, (std::vector<std::string>{expected, expected}));
}

TEST(Win9xFloppy, RequestsCarryTheirRegistersByteForByte) {
    using Call = std::function<bool(Win9xFloppy&, FloppyHandle, std::span<uint8_t>)>;
    struct Row {
        std::string what;
        int floppyDrive;
        Call call;
        uint32_t code, eax;
        std::optional<uint32_t> ebx;  // nothing: the address of a DISKIO packet
        uint32_t ecx;
        std::optional<uint32_t> edx;  // nothing: the address of a parameter block
        uint32_t flags;
        uint32_t firstSector = 0, sectors = 0;
    };
    DiskGeometry g{};
    const auto read = [](int drive, uint32_t offset, uint32_t bytes) -> Call {
        return [=](Win9xFloppy& f, FloppyHandle h, std::span<uint8_t> b) {
            uint32_t done = 0;
            return f.ReadSectors(h, b.first(bytes), done, drive, ByteOffset{offset}, 512) && done == bytes;
        };
    };
    const std::vector<Row> rows{
        {"geometry A", 1, [&](auto& f, auto h, auto) { return f.QueryGeometry(h, 1, g); }, 1, 0x440D, 1,
         0x0860, std::nullopt, 1},
        {"geometry B", 2, [&](auto& f, auto h, auto) { return f.QueryGeometry(h, 2, g); }, 1, 0x440D, 2,
         0x0860, std::nullopt, 1},
        {"lock", 1, [](auto& f, auto h, auto) { return f.LockDrive(h, 1); }, 1, 0x440D, 1, 0x084A, 0, 1},
        {"unlock", 1, [](auto& f, auto h, auto) { return f.LockDrive(h, 1) && f.UnlockDrive(h, 1); }, 1,
         0x440D, 1, 0x086A, 0, 0},
        {"read cylinder 0", 1, read(1, 0, 18432), 2, 0, std::nullopt, 0xFFFF, 0, 1, 0, 36},
        {"read cylinder 5", 1, read(1, 5 * 18432, 18432), 2, 0, std::nullopt, 0xFFFF, 0, 1, 180, 36},
        {"read cylinder 79", 1, read(1, 79 * 18432, 18432), 2, 0, std::nullopt, 0xFFFF, 0, 1, 2844, 36},
        {"read on B", 2, read(2, 1024, 1024), 2, 1, std::nullopt, 0xFFFF, 0, 1, 2, 2},
        {"write cylinder 3", 1,
         [](auto& f, auto h, std::span<uint8_t> b) {
             uint32_t done = 0;
             return f.WriteSectors(h, b, done, ByteOffset{3 * 18432}, 1, 512) && done == 18432;
         },
         3, 0, std::nullopt, 0xFFFF, 0, 1, 108, 36},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        std::vector<uint8_t> contents;
        Bench bench(driveWithPattern(DriveKind::Floppy35HD, hdGeometry(), contents), r.floppyDrive);
        auto buffer = alignedBuffer(18432);
        ASSERT_TRUE(r.call(*bench.floppy, bench.handle, buffer.bytes()));
        const Request& q = bench.recorder->requests.back();
        EXPECT_TRUE(q.oneBlock);
        EXPECT_EQ(q.code, r.code);
        EXPECT_EQ(std::vector<uint32_t>({q.in.get(R::reg_EAX), q.in.get(R::reg_ECX), q.in.get(R::reg_EDI),
                                         q.in.get(R::reg_ESI), q.in.get(R::reg_Flags)}),
                  std::vector<uint32_t>({r.eax, r.ecx, 0, 0, r.flags}));
        if (r.ebx) {
            EXPECT_EQ(q.in.get(R::reg_EBX), *r.ebx);
        } else {
            ASSERT_TRUE(q.packet && q.data) << "EBX reaches no DISKIO packet";
            EXPECT_EQ(q.packet->get(DISKIO::dwStartSector), r.firstSector);
            EXPECT_EQ(q.packet->get(DISKIO::wSectors), r.sectors);
            EXPECT_EQ(q.data->data(), buffer.bytes().data());  // the caller's own buffer, not a copy
        }
        if (r.edx) {
            EXPECT_EQ(q.in.get(R::reg_EDX), *r.edx);
        } else {
            ASSERT_TRUE(q.params) << "EDX reaches no 40-byte parameter block";
            std::array<uint8_t, 40> expected{};
            expected[0] = 1;  // the medium now in the drive
            EXPECT_EQ(q.params->bytes, expected);
        }
        if (r.code == VWIN32_DIOC_DOS_INT25) {
            EXPECT_TRUE(std::equal(buffer.bytes().begin(), buffer.bytes().begin() + r.sectors * 512,
                                   contents.begin() + r.firstSector * 512));
        }
    }
}

TEST(Win9xFloppy, GeometryComesFromTheDeviceParameters) {
    struct Row {
        std::string scenario;
        int32_t type;
        uint32_t cylinders, sectors;  // 7: left as it was
    };
    const std::vector<Row> rows{
        {"1.44M:blank=720K", F3_720_512, 80, 9},
        {"1.2M", F5_1Pt2_512, 80, 15},
        {"360K", F5_360_512, 40, 9},
        {"720K", F3_720_512, 80, 9},
        {"2.88M:blank=1.44M", F3_1Pt44_512, 80, 18},
        {"2.88M", F3_1Pt44_512, 80, 18},     // the media byte cannot tell 2.88 MB from 1.44 MB
        {"1.2M:blank=180K", Unknown, 7, 7},  // a success all the same
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.scenario);
        Bench bench(r.scenario);
        DiskGeometry g{7, 99, 7, 7, 7};
        ASSERT_TRUE(bench.floppy->QueryGeometry(bench.handle, 1, g));
        EXPECT_EQ(std::vector<int64_t>(
                      {g.mediaType, g.cylinders, g.sectorsPerTrack, g.tracksPerCylinder, g.bytesPerSector}),
                  std::vector<int64_t>({r.type, r.cylinders, r.sectors, 2, 512}));
    }
}

TEST(Win9xFloppy, RequestNobodyCarriesOutFailsByThePresetCarry) {
    Bench bench("1.44M:noanswer");
    DiskGeometry g{};
    auto buffer = alignedBuffer(18432);
    uint32_t done = 1;
    EXPECT_FALSE(bench.floppy->QueryGeometry(bench.handle, 1, g));
    EXPECT_FALSE(bench.floppy->LockDrive(bench.handle, 1));
    EXPECT_FALSE(bench.floppy->ReadSectors(bench.handle, buffer.bytes(), done, 1, ByteOffset{0}, 512));
    EXPECT_EQ(done, 0u);
    EXPECT_FALSE(bench.floppy->WriteSectors(bench.handle, buffer.bytes(), done, ByteOffset{0}, 1, 512));
    for (const Request& q : bench.recorder->requests) EXPECT_EQ(q.out.bytes, q.in.bytes);
    // The unlock goes without a preset carry, so an unanswered one counts as done.
    EXPECT_TRUE(bench.floppy->UnlockDrive(bench.handle, 1));
}

TEST(Win9xFloppy, WhatTheRequestsCannotSayIsNeitherSentNorCut) {
    Bench bench("1.44M");
    auto buffer = alignedBuffer(65536 * 512);
    struct Row {
        std::string what;
        size_t bytes;
        uint32_t offset, bytesPerSector;
        int drive;
    };
    for (const Row& r :
         std::vector<Row>{{"no sector size", 512, 0, 0, 1},
                          {"part of a sector", 700, 0, 512, 1},
                          {"offset inside a sector", 512, 100, 512, 1},
                          {"65536 sectors", 65536 * 512, 0, 512, 1},
                          {"drive 0, which DOS takes for the current drive", 512, 0, 512, 0}}) {
        SCOPED_TRACE(r.what);
        uint32_t done = 9;
        EXPECT_FALSE(bench.floppy->ReadSectors(bench.handle, buffer.bytes().first(r.bytes), done, r.drive,
                                               ByteOffset{r.offset}, r.bytesPerSector));
        EXPECT_EQ(done, 0u);
        EXPECT_EQ(bench.floppy->LastError(), ERROR_INVALID_PARAMETER);
    }
    // Nor is anything sent for what 95/98 does not do.
    EXPECT_TRUE(bench.floppy->CheckMedia(bench.handle));
    EXPECT_TRUE(bench.floppy->DismountDrive(bench.handle));
    EXPECT_EQ(bench.floppy->QueryMediaTypes(bench.handle), 0);
    EXPECT_TRUE(bench.recorder->requests.empty());
}

TEST(Win9xFloppy, DiagnosisShowsDriveAndBootSector) {
    const std::string hd =
        "W95-devTyp: 7\nW95-medTyp: 0\nW95-bMed: 240\nW95-Cyls: 80\nBoot-typ: 240\nBoot-B/S: 512\nBoot-S/T: "
        "18\n"
        "Boot-T/C: 2\nBoot-VOL: NO NAME    ";
    struct Row {
        std::string scenario;
        int selector;
        uint8_t specialFunctions;
        int result;
        std::string text;
    };
    const std::vector<Row> rows{
        {"1.44M", 1, 1, 1, hd},
        {"1.44M", 0, 0, 1, hd},
        {"1.44M", 2, 0, 1, hd},
        {"1.44M:bad=0/0/1", 1, 1, 1, ""},  // the drive answered, the boot sector did not
        {"1.44M:noanswer", 1, 1, 0, "before"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.scenario + " selector " + std::to_string(r.selector));
        Bench bench(r.scenario);
        ASSERT_EQ(
            bench.drive->write(0, *bootsectors::bootTemplate(bootsectors::TemplateId::Disk1440K)).status,
            DriveStatus::Ok);
        DiskGeometry g{};
        std::string text = "before";
        EXPECT_EQ(bench.floppy->DiagnoseDrive(bench.handle, 1, g, text, r.selector), r.result);
        EXPECT_EQ(text, r.text);
        EXPECT_EQ(bench.recorder->requests.front().params->bytes[0], r.specialFunctions);
        if (r.result == 1) {
            EXPECT_EQ(g.mediaType, F3_1Pt44_512);
            const Request& sectorRead = bench.recorder->requests.back();
            EXPECT_EQ(sectorRead.packet->get(DISKIO::dwStartSector), 0u);
            EXPECT_EQ(sectorRead.packet->get(DISKIO::wSectors), 1u);
        }
    }
    // A floppy whose boot sector says nothing believable is described by its format.
    Bench blank("1.2M:blank=360K");
    DiskGeometry g{};
    std::string text;
    EXPECT_EQ(blank.floppy->DiagnoseDrive(blank.handle, 1, g, text, 1), 1);
    EXPECT_EQ(text.substr(0, text.find("\nBoot")),
              "W95-devTyp: 1\nW95-medTyp: 1\nW95-bMed: 253\nW95-Cyls: 80");
}

// A device that answers "done" to everything and tries to reach past every block it was given.
class OverreachingVwin32 final : public Vwin32Seam {
  public:
    std::vector<bool> reached;
    Win32Handle CreateFileA(std::string_view, uint32_t, uint32_t, uint32_t, uint32_t) override {
        return Win32Handle{1};
    }
    bool DeviceIoControl(Win32Handle, uint32_t code, std::span<const uint8_t> in, std::span<uint8_t> out,
                         uint32_t& bytesReturned, const LinearMemory& memory) override {
        R r;
        std::copy_n(in.begin(), 28, r.bytes.begin());
        uint32_t at = r.get(R::reg_EDX), bytes = 40;
        if (code != VWIN32_DIOC_DOS_IOCTL) {
            DISKIO p;
            const auto packet = memory.reach(r.get(R::reg_EBX), 10);
            std::copy(packet->begin(), packet->end(), p.bytes.begin());
            at = p.get(DISKIO::dwBuffer), bytes = p.get(DISKIO::wSectors) * 512;
            reached.push_back(
                memory.reachWritable(r.get(R::reg_EBX), 10).has_value());  // the packet is read-only
        }
        reached.push_back(memory.reachWritable(at, bytes + 1).has_value());
        reached.push_back(memory.reachWritable(at - 1, 1).has_value());
        reached.push_back(memory.reachWritable(at + bytes, 512).has_value());
        if (auto ok = memory.reachWritable(at, bytes)) std::fill(ok->begin(), ok->end(), 0xAA);
        r.set(R::reg_Flags, 0);
        std::copy(r.bytes.begin(), r.bytes.end(), out.begin());
        bytesReturned = 100000;
        return true;
    }
    bool CloseHandle(Win32Handle) override { return true; }
    uint32_t GetLastError() const override { return 0; }
};

TEST(Win9xFloppy, DeviceNeverReachesPastTheBuffersGiven) {
    OverreachingVwin32 device;
    Win9xFloppy floppy(device);
    const FloppyHandle h = floppy.OpenDrive("A:");
    auto whole = alignedBuffer(3 * 4096);
    std::fill(whole.bytes().begin(), whole.bytes().end(), 0x11);
    const auto middle = whole.bytes().subspan(4096, 4096);
    uint32_t done = 0;
    ASSERT_TRUE(floppy.ReadSectors(h, middle, done, 1, ByteOffset{0}, 512));
    DiskGeometry g{};
    ASSERT_TRUE(floppy.QueryGeometry(h, 1, g));
    EXPECT_EQ(g.mediaType, Unknown);  // 0xAA everywhere names no floppy
    ASSERT_TRUE(
        floppy.WriteSectors(h, middle, done, ByteOffset{0}, 1, 512));  // the data of a write is read-only

    EXPECT_EQ(device.reached, std::vector<bool>(device.reached.size(), false));
    const auto outside = [&](size_t from, size_t to) {
        return std::all_of(whole.bytes().begin() + from, whole.bytes().begin() + to,
                           [](uint8_t b) { return b == 0x11; });
    };
    EXPECT_TRUE(std::all_of(middle.begin(), middle.end(), [](uint8_t b) { return b == 0xAA; }));
    EXPECT_TRUE(outside(0, 4096));
    EXPECT_TRUE(outside(8192, 3 * 4096));
}

}  // namespace
