#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "bootsectors/boot_templates.h"
#include "emulation/emulated_vwin32.h"
#include "emulation/scenario.h"
#include "floppy_fixture.h"
#include "media_types.h"
#include "win9x/device_params.h"
#include "win9x/disk_io.h"
#include "win9x/win9x_floppy.h"

namespace {

using namespace converter;
using namespace converter::emulation;
using namespace converter::win9x;
using namespace floppy_testing;

// What one request looked like as it left the variant: the registers and the blocks they point at.
struct Request {
    uint32_t code;
    DIOC_REGISTERS in;
    DIOC_REGISTERS out;
    bool sameBuffer;                       // in and out were one block of 28 bytes
    std::optional<DEVICEPARAMS> params;    // what EDX pointed at, as sent
    std::optional<DISKIO> packet;          // what EBX pointed at
    std::optional<std::span<const uint8_t>> data;  // what the packet's buffer address reaches
};

struct Opened {
    std::string name;
    uint32_t access, share, disposition, flags;
};

class RecordingVwin32 final : public Vwin32Seam {
public:
    explicit RecordingVwin32(Vwin32Seam& device) : device_(device) {}
    std::vector<Request> requests;
    std::vector<Opened> opened;

    Win32Handle CreateFileA(std::string_view name, uint32_t access, uint32_t share, uint32_t disposition,
                            uint32_t flags) override {
        opened.push_back({std::string(name), access, share, disposition, flags});
        return device_.CreateFileA(name, access, share, disposition, flags);
    }
    bool DeviceIoControl(Win32Handle handle, uint32_t code, std::span<const uint8_t> in, std::span<uint8_t> out,
                         uint32_t& bytesReturned, const LinearMemory& memory) override {
        Request r{code, {}, {}, in.data() == out.data() && in.size() == 28 && out.size() == 28, {}, {}, {}};
        std::copy_n(in.begin(), 28, r.in.bytes.begin());
        const auto ecx = r.in.get(DIOC_REGISTERS::reg_ECX);
        if (code == VWIN32_DIOC_DOS_IOCTL && ecx == 0x0860) {
            if (auto block = memory.reach(r.in.get(DIOC_REGISTERS::reg_EDX), 40)) {
                r.params.emplace();
                std::copy(block->begin(), block->end(), r.params->bytes.begin());
            }
        }
        if (code != VWIN32_DIOC_DOS_IOCTL) {
            if (auto block = memory.reach(r.in.get(DIOC_REGISTERS::reg_EBX), 10)) {
                r.packet.emplace();
                std::copy(block->begin(), block->end(), r.packet->bytes.begin());
                r.data = memory.reach(r.packet->get(DISKIO::dwBuffer), r.packet->get(DISKIO::wSectors) * 512);
            }
        }
        const bool ok = device_.DeviceIoControl(handle, code, in, out, bytesReturned, memory);
        std::copy_n(out.begin(), 28, r.out.bytes.begin());
        requests.push_back(r);
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
    explicit Bench(const std::string& scenario) : Bench(build(scenario)) {}

    static std::unique_ptr<EmulatedDrive> build(const std::string& scenario) {
        std::string error;
        auto d = buildDrive(*parseScenario(scenario).scenario, error);
        EXPECT_TRUE(d) << error;
        return d;
    }
    const Request& last() const { return recorder->requests.back(); }
};

uint32_t reg(const DIOC_REGISTERS& r, Field f) { return r.get(f); }

TEST(Win9xFloppy, OpensVwin32WhateverTheDrive) {
    Bench bench("1.44M");
    ASSERT_NE(bench.handle, INVALID_HANDLE_VALUE);
    const FloppyHandle other = bench.floppy->OpenDrive("B:");
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    ASSERT_EQ(bench.recorder->opened.size(), 2u);
    for (const Opened& o : bench.recorder->opened) {
        EXPECT_EQ(o.name, "\\\\.\\VWIN32");
        EXPECT_EQ(o.access, GENERIC_READ);
        EXPECT_EQ(o.share, FILE_SHARE_READ);
        EXPECT_EQ(o.disposition, OPEN_EXISTING);
        EXPECT_EQ(o.flags, 0u);
    }
    EXPECT_TRUE(bench.floppy->CloseDrive(other));
    EXPECT_FALSE(bench.floppy->CloseDrive(other));
    EXPECT_EQ(bench.floppy->LastError(), ERROR_INVALID_HANDLE);
}

TEST(Win9xFloppy, RequestsCarryTheirRegistersByteForByte) {
    struct Row {
        std::string what;
        int floppyDrive;
        std::function<bool(Win9xFloppy&, FloppyHandle, std::span<uint8_t>)> call;
        uint32_t code, eax;
        std::optional<uint32_t> ebx;  // nothing: an address, checked through the block it reaches
        uint32_t ecx;
        std::optional<uint32_t> edx;
        uint32_t flags;
        uint32_t firstSector = 0, sectors = 0;  // for absolute requests
    };
    DiskGeometry g{};
    const auto read = [](uint32_t c) {
        return [c](Win9xFloppy& f, FloppyHandle h, std::span<uint8_t> b) {
            uint32_t done = 0;
            return f.ReadSectors(h, b, done, 1, 18432 * c, 512) && done == 18432;
        };
    };
    const std::vector<Row> rows{
        {"geometry A", 1, [&](Win9xFloppy& f, FloppyHandle h, auto) { return f.QueryGeometry(h, 1, g); }, 1, 0x440D,
         1, 0x0860, std::nullopt, 1},
        {"geometry B", 2, [&](Win9xFloppy& f, FloppyHandle h, auto) { return f.QueryGeometry(h, 2, g); }, 1, 0x440D,
         2, 0x0860, std::nullopt, 1},
        {"lock", 1, [](Win9xFloppy& f, FloppyHandle h, auto) { return f.LockDrive(h, 1); }, 1, 0x440D, 1, 0x084A, 0,
         1},
        {"unlock", 1,
         [](Win9xFloppy& f, FloppyHandle h, auto) { return f.LockDrive(h, 1) && f.UnlockDrive(h, 1); }, 1, 0x440D, 1,
         0x086A, 0, 0},
        {"read cylinder 0", 1, read(0), 2, 0, std::nullopt, 0xFFFF, 0, 1, 0, 36},
        {"read cylinder 1", 1, read(1), 2, 0, std::nullopt, 0xFFFF, 0, 1, 36, 36},
        {"read cylinder 5", 1, read(5), 2, 0, std::nullopt, 0xFFFF, 0, 1, 180, 36},
        {"read cylinder 79", 1, read(79), 2, 0, std::nullopt, 0xFFFF, 0, 1, 2844, 36},
        {"read drive B", 2,
         [](Win9xFloppy& f, FloppyHandle h, std::span<uint8_t> b) {
             uint32_t done = 0;
             return f.ReadSectors(h, b.first(1024), done, 2, 1024, 512) && done == 1024;
         },
         2, 1, std::nullopt, 0xFFFF, 0, 1, 2, 2},
        {"write cylinder 3", 1,
         [](Win9xFloppy& f, FloppyHandle h, std::span<uint8_t> b) {
             uint32_t done = 0;
             return f.WriteSectors(h, b, done, 18432 * 3, 1, 512) && done == 18432;
         },
         3, 0, std::nullopt, 0xFFFF, 0, 1, 108, 36},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        std::vector<uint8_t> contents;
        Bench bench(driveWithPattern(DriveKind::Floppy35HD, hdGeometry(), contents), r.floppyDrive);
        auto buffer = alignedBuffer(18432);
        ASSERT_TRUE(r.call(*bench.floppy, bench.handle, buffer.bytes()));
        const Request& q = bench.last();
        EXPECT_TRUE(q.sameBuffer);
        EXPECT_EQ(q.code, r.code);
        EXPECT_EQ(reg(q.in, DIOC_REGISTERS::reg_EAX), r.eax);
        EXPECT_EQ(reg(q.in, DIOC_REGISTERS::reg_ECX), r.ecx);
        EXPECT_EQ(reg(q.in, DIOC_REGISTERS::reg_EDI), 0u);
        EXPECT_EQ(reg(q.in, DIOC_REGISTERS::reg_ESI), 0u);
        EXPECT_EQ(reg(q.in, DIOC_REGISTERS::reg_Flags), r.flags);
        if (r.ebx) {
            EXPECT_EQ(reg(q.in, DIOC_REGISTERS::reg_EBX), *r.ebx);
        } else {
            ASSERT_TRUE(q.packet) << "EBX reaches no DISKIO packet";
            EXPECT_EQ(q.packet->get(DISKIO::dwStartSector), r.firstSector);
            EXPECT_EQ(q.packet->get(DISKIO::wSectors), r.sectors);
            ASSERT_TRUE(q.data);
            EXPECT_EQ(q.data->data(), buffer.bytes().data());  // the caller's own buffer, not a copy
        }
        if (r.edx) {
            EXPECT_EQ(reg(q.in, DIOC_REGISTERS::reg_EDX), *r.edx);
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
        bool ok;
        int32_t type;
        uint32_t cylinders, sectors;
    };
    const std::vector<Row> rows{
        {"1.44M", true, F3_1Pt44_512, 80, 18},     {"1.44M:blank=720K", true, F3_720_512, 80, 9},
        {"1.2M", true, F5_1Pt2_512, 80, 15},       {"1.2M:blank=360K", true, F5_360_512, 40, 9},
        {"360K", true, F5_360_512, 40, 9},         {"720K", true, F3_720_512, 80, 9},
        {"2.88M:blank=1.44M", true, F3_1Pt44_512, 80, 18},
        {"2.88M", true, F3_1Pt44_512, 80, 18},  // the media byte cannot tell 2.88 MB from 1.44 MB
        {"1.2M:blank=180K", true, Unknown, 0, 0},  // succeeds, type 0, numbers left as they were
        {"1.44M:none", false, 0, 0, 0},           {"1.44M:unformatted", false, 0, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.scenario);
        Bench bench(r.scenario);
        DiskGeometry g{0, 99, 0, 0, 0};
        EXPECT_EQ(bench.floppy->QueryGeometry(bench.handle, 1, g), r.ok);
        if (!r.ok) {
            EXPECT_EQ(g.mediaType, 99);
            continue;
        }
        EXPECT_EQ(g.mediaType, r.type);
        EXPECT_EQ(g.cylinders, r.cylinders);
        EXPECT_EQ(g.sectorsPerTrack, r.sectors);
        EXPECT_EQ(g.tracksPerCylinder, 2u);
        EXPECT_EQ(g.bytesPerSector, 512u);
    }
}

TEST(Win9xFloppy, FailuresSetTheBiosStatusAsLastError) {
    struct Row {
        std::string scenario;
        bool write;
        uint32_t cylinder;
        uint32_t error;
    };
    const std::vector<Row> rows{
        {"1.44M:bad=3/1/5@4", false, 3, 4},   {"1.44M:bad=3/1/5", false, 3, 16},
        {"1.44M:bad=3/1/5@128", false, 3, 128}, {"1.44M:bad=3/1/5@2", false, 3, 2},
        {"1.44M:none", false, 0, 128},        {"1.44M:unformatted", false, 0, 2},
        {"1.44M:wp", true, 0, ERROR_WRITE_PROTECT},  // 19, not the BIOS's 3
        {"1.44M:none", true, 0, 128},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.scenario + (r.write ? " write" : " read"));
        Bench bench(r.scenario);
        auto buffer = alignedBuffer(18432);
        uint32_t done = 5;
        const uint32_t offset = r.cylinder * 18432;
        EXPECT_FALSE(r.write ? bench.floppy->WriteSectors(bench.handle, buffer.bytes(), done, offset, 1, 512)
                             : bench.floppy->ReadSectors(bench.handle, buffer.bytes(), done, 1, offset, 512));
        EXPECT_EQ(done, 0u);
        EXPECT_EQ(bench.floppy->LastError(), r.error);
        EXPECT_TRUE(bench.last().out.carry());
    }
    // The cylinder before the bad one still reads.
    Bench bench("1.44M:bad=3/1/5@4");
    auto buffer = alignedBuffer(18432);
    uint32_t done = 0;
    EXPECT_TRUE(bench.floppy->ReadSectors(bench.handle, buffer.bytes(), done, 1, 2 * 18432, 512));
}

TEST(Win9xFloppy, RequestNobodyCarriesOutFailsByThePresetCarry) {
    Bench bench("1.44M:noanswer");
    DiskGeometry g{};
    auto buffer = alignedBuffer(18432);
    uint32_t done = 1;
    EXPECT_FALSE(bench.floppy->QueryGeometry(bench.handle, 1, g));
    EXPECT_FALSE(bench.floppy->LockDrive(bench.handle, 1));
    EXPECT_FALSE(bench.floppy->ReadSectors(bench.handle, buffer.bytes(), done, 1, 0, 512));
    EXPECT_EQ(done, 0u);
    EXPECT_FALSE(bench.floppy->WriteSectors(bench.handle, buffer.bytes(), done, 0, 1, 512));
    for (const Request& q : bench.recorder->requests) EXPECT_EQ(q.out.bytes, q.in.bytes);
    // The unlock goes without a preset carry, so an unanswered one counts as done.
    EXPECT_TRUE(bench.floppy->UnlockDrive(bench.handle, 1));
}

TEST(Win9xFloppy, LockHeldElsewhereFails) {
    Bench bench("1.44M:locked");
    EXPECT_FALSE(bench.floppy->LockDrive(bench.handle, 1));
    EXPECT_EQ(bench.floppy->LastError(), 5u);  // DOS: access denied
    EXPECT_TRUE(bench.last().out.carry());

    Bench free("1.44M");
    EXPECT_TRUE(free.floppy->LockDrive(free.handle, 1));
    EXPECT_FALSE(free.last().out.carry());
    const FloppyHandle other = free.floppy->OpenDrive("A:");
    EXPECT_FALSE(free.floppy->LockDrive(other, 1));
    EXPECT_TRUE(free.floppy->UnlockDrive(free.handle, 1));
    EXPECT_TRUE(free.floppy->LockDrive(other, 1));
}

TEST(Win9xFloppy, NoRequestForWhatNinetyFiveCannotDo) {
    Bench bench("1.44M");
    RecordingProgress progress;
    EXPECT_EQ(bench.floppy->QueryMediaTypes(bench.handle), 0);
    EXPECT_TRUE(bench.floppy->MediaTypes().empty());
    EXPECT_TRUE(bench.floppy->CheckMedia(bench.handle));
    EXPECT_TRUE(bench.floppy->DismountDrive(bench.handle));
    EXPECT_TRUE(bench.floppy->SetDrivePosition(bench.handle, 512));
    EXPECT_FALSE(bench.floppy->FormatAllCylinders(bench.handle, hdGeometry(), progress));
    EXPECT_TRUE(progress.calls.empty());
    EXPECT_TRUE(bench.recorder->requests.empty());
}

TEST(Win9xFloppy, RequestsThePacketCannotSayAreRefusedUnsent) {
    Bench bench("1.44M");
    auto buffer = alignedBuffer(65536 * 512);
    struct Row {
        std::string what;
        size_t bytes;
        uint32_t offset, bytesPerSector;
        int drive;
    };
    for (const Row& r : std::vector<Row>{{"no sector size", 512, 0, 0, 1},
                                         {"part of a sector", 700, 0, 512, 1},
                                         {"offset inside a sector", 512, 100, 512, 1},
                                         {"65536 sectors", 65536 * 512, 0, 512, 1},
                                         {"drive 0", 512, 0, 512, 0},
                                         {"drive 27", 512, 0, 512, 27}}) {
        SCOPED_TRACE(r.what);
        uint32_t done = 9;
        EXPECT_FALSE(
            bench.floppy->ReadSectors(bench.handle, buffer.bytes().first(r.bytes), done, r.drive, r.offset, r.bytesPerSector));
        EXPECT_EQ(done, 0u);
        EXPECT_EQ(bench.floppy->LastError(), ERROR_INVALID_PARAMETER);
    }
    EXPECT_TRUE(bench.recorder->requests.empty());
}

TEST(Win9xFloppy, DiagnosisShowsDriveAndBootSector) {
    const auto boot = *bootsectors::bootTemplate(bootsectors::k1440K);
    struct Row {
        std::string scenario;
        int selector;
        uint8_t specialFunctions;
        int result;
        std::string text;
    };
    const std::string hd =
        "W95-devTyp: 7\nW95-medTyp: 0\nW95-bMed: 240\nW95-Cyls: 80\nBoot-typ: 240\nBoot-B/S: 512\nBoot-S/T: 18\n"
        "Boot-T/C: 2\nBoot-VOL: NO NAME    ";
    const std::vector<Row> rows{
        {"1.44M", 1, 1, 1, hd},
        {"1.44M", 0, 0, 1, hd},
        {"1.44M", 2, 0, 1, hd},
        {"1.44M:bad=0/0/1@16", 1, 1, 1, ""},  // the drive answered, the boot sector did not
        {"1.44M:noanswer", 1, 1, 0, "before"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.scenario + " selector " + std::to_string(r.selector));
        Bench bench(r.scenario);
        EXPECT_EQ(bench.drive->write(0, boot).status, DriveStatus::Ok);
        DiskGeometry g{};
        std::string text = "before";
        EXPECT_EQ(bench.floppy->DiagnoseDrive(bench.handle, 1, g, text, r.selector), r.result);
        EXPECT_EQ(text, r.text);
        ASSERT_TRUE(bench.recorder->requests.front().params);
        EXPECT_EQ(bench.recorder->requests.front().params->bytes[0], r.specialFunctions);
        if (r.result == 1) {
            EXPECT_EQ(g.mediaType, F3_1Pt44_512);
            const Request& sectorRead = bench.last();
            EXPECT_EQ(sectorRead.code, VWIN32_DIOC_DOS_INT25);
            EXPECT_EQ(sectorRead.packet->get(DISKIO::dwStartSector), 0u);
            EXPECT_EQ(sectorRead.packet->get(DISKIO::wSectors), 1u);
        }
    }
    // A medium whose boot sector says nothing believable is described by its format.
    Bench blank("1.2M:blank=360K");
    DiskGeometry g{};
    std::string text;
    EXPECT_EQ(blank.floppy->DiagnoseDrive(blank.handle, 1, g, text, 1), 1);
    EXPECT_EQ(text.substr(0, text.find("\nBoot")), "W95-devTyp: 1\nW95-medTyp: 1\nW95-bMed: 253\nW95-Cyls: 80");
    EXPECT_EQ(g.mediaType, F5_360_512);
}

// A device that answers "done" to everything and tries to reach past every block it was given.
class OverreachingVwin32 final : public Vwin32Seam {
public:
    std::vector<bool> reached;
    Win32Handle CreateFileA(std::string_view, uint32_t, uint32_t, uint32_t, uint32_t) override { return Win32Handle{1}; }
    bool DeviceIoControl(Win32Handle, uint32_t code, std::span<const uint8_t> in, std::span<uint8_t> out,
                         uint32_t& bytesReturned, const LinearMemory& memory) override {
        DIOC_REGISTERS r;
        std::copy_n(in.begin(), 28, r.bytes.begin());
        if (code == VWIN32_DIOC_DOS_IOCTL) {
            const uint32_t edx = r.get(DIOC_REGISTERS::reg_EDX);
            reached.push_back(memory.reachWritable(edx, 41).has_value());
            reached.push_back(memory.reachWritable(edx - 1, 2).has_value());
            if (auto ok = memory.reachWritable(edx, 40)) std::fill(ok->begin(), ok->end(), 0xF0);
        } else {
            const auto packet = memory.reach(r.get(DIOC_REGISTERS::reg_EBX), 10);
            DISKIO p;
            std::copy(packet->begin(), packet->end(), p.bytes.begin());
            const uint32_t at = p.get(DISKIO::dwBuffer), bytes = p.get(DISKIO::wSectors) * 512;
            reached.push_back(memory.reachWritable(at, bytes + 1).has_value());
            reached.push_back(memory.reachWritable(at - 1, 1).has_value());
            reached.push_back(memory.reachWritable(at + bytes, 512).has_value());
            reached.push_back(memory.reachWritable(r.get(DIOC_REGISTERS::reg_EBX), 10).has_value());  // read-only
            if (auto ok = memory.reachWritable(at, bytes)) std::fill(ok->begin(), ok->end(), 0xAA);
        }
        r.set(DIOC_REGISTERS::reg_Flags, 0);
        std::copy(r.bytes.begin(), r.bytes.end(), out.begin());
        std::fill(out.begin() + 28, out.end(), 0xEE);
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
    ASSERT_TRUE(floppy.ReadSectors(h, middle, done, 1, 0, 512));
    EXPECT_EQ(done, 4096u);
    DiskGeometry g{};
    ASSERT_TRUE(floppy.QueryGeometry(h, 1, g));
    EXPECT_EQ(g.mediaType, Unknown);
    ASSERT_TRUE(floppy.WriteSectors(h, middle, done, 0, 1, 512));  // a read-only block cannot be written

    EXPECT_EQ(device.reached, std::vector<bool>(device.reached.size(), false));
    EXPECT_TRUE(std::all_of(middle.begin(), middle.end(), [](uint8_t b) { return b == 0xAA; }));
    EXPECT_TRUE(std::all_of(whole.bytes().begin(), whole.bytes().begin() + 4096, [](uint8_t b) { return b == 0x11; }));
    EXPECT_TRUE(std::all_of(whole.bytes().begin() + 8192, whole.bytes().end(), [](uint8_t b) { return b == 0x11; }));
}

}  // namespace
