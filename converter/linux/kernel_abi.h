#pragma once
// The numbers and structures of the floppy driver and the sd/UFI path as the converter speaks them: ioctl
// requests, errno values and byte layouts (x86_64). The platform file checks them against the kernel headers.
#include <array>
#include <cstdint>
#include <cstring>
#include <span>

#include "le_bytes.h"

namespace converter::linux_floppy {

namespace request {
inline constexpr uint32_t FdGetPrm = 0x80200204;
inline constexpr uint32_t FdSetPrm = 0x40200242;
inline constexpr uint32_t FdGetDrvPrm = 0x80800211;
inline constexpr uint32_t FdGetDrvStat = 0x80500212;
inline constexpr uint32_t FdSetDrvPrm = 0x40800290;
inline constexpr uint32_t FdRawCmd = 0x258;
inline constexpr uint32_t FdFmtBeg = 0x247;
inline constexpr uint32_t FdFmtTrk = 0x400c0248;
inline constexpr uint32_t FdFmtEnd = 0x249;
inline constexpr uint32_t FdFlush = 0x24b;
inline constexpr uint32_t BlkFlsBuf = 0x1261;
inline constexpr uint32_t SgScsiReset = 0x2284;
}  // namespace request

// SG_SCSI_RESET's argument for a reset of the target (the kernel's value; the C library's header lacks it).
inline constexpr int32_t kScsiResetTarget = 4;

// errno numbers are Linux ABI; named here so no C header's macros are needed.
namespace err {
inline constexpr int Perm = 1, NoEnt = 2, Intr = 4, Io = 5, NxIo = 6, BadF = 9, NoMem = 12, Acces = 13, Busy = 16,
                     NoDev = 19, Inval = 22, NoTty = 25, RoFs = 30, NoData = 61, OpNotSupp = 95, NoMedium = 123;
}

// Drive status flags (FDGETDRVSTAT).
inline constexpr uint64_t kDiskChanged = 0x10;
inline constexpr uint64_t kDiskWritable = 0x20;

// The kernel's structures are little-endian like the disk's; u32 fields only.
inline uint32_t loadU32(std::span<const uint8_t> b, size_t at) { return orva::loadLe(b, at, 4); }
inline void storeU32(std::span<uint8_t> b, size_t at, uint32_t v) { orva::storeLe(b, at, 4, v); }
inline uint32_t loadBe32(std::span<const uint8_t> b, size_t at) {
    return uint32_t{b[at]} << 24 | uint32_t{b[at + 1]} << 16 | uint32_t{b[at + 2]} << 8 | b[at + 3];
}

// struct floppy_struct: the medium's geometry as the driver uses it (FDGETPRM / FDSETPRM).
struct FloppyParams {
    static constexpr size_t kBytes = 32;
    uint32_t size = 0, sect = 0, head = 0, track = 0, stretch = 0;
    uint8_t gap = 0, rate = 0, spec1 = 0, fmtGap = 0;

    bool operator==(const FloppyParams&) const = default;

    std::array<uint8_t, kBytes> encode() const {
        std::array<uint8_t, kBytes> b{};
        storeU32(b, 0, size), storeU32(b, 4, sect), storeU32(b, 8, head), storeU32(b, 12, track);
        storeU32(b, 16, stretch);
        b[20] = gap, b[21] = rate, b[22] = spec1, b[23] = fmtGap;
        return b;  // the name pointer at 24 stays null
    }
    static FloppyParams decode(std::span<const uint8_t> b) {
        FloppyParams p;
        p.size = loadU32(b, 0), p.sect = loadU32(b, 4), p.head = loadU32(b, 8), p.track = loadU32(b, 12);
        p.stretch = loadU32(b, 16);
        p.gap = b[20], p.rate = b[21], p.spec1 = b[22], p.fmtGap = b[23];
        return p;
    }
    // 128 << size code, the code sitting in bits 3-5 of the rate byte offset by 2 (FD_SECTSIZE).
    uint32_t sectorBytes() const { return 128u << ((((rate & 0x38u) >> 3) + 2) % 8); }
};

// struct format_descr: one track to format (FDFMTTRK).
struct FormatTrack {
    static constexpr size_t kBytes = 12;
    uint32_t device = 0, head = 0, track = 0;
    std::array<uint8_t, kBytes> encode() const {
        std::array<uint8_t, kBytes> b{};
        storeU32(b, 0, device), storeU32(b, 4, head), storeU32(b, 8, track);
        return b;
    }
    static FormatTrack decode(std::span<const uint8_t> b) { return {loadU32(b, 0), loadU32(b, 4), loadU32(b, 8)}; }
};

// struct floppy_drive_struct (FDGETDRVSTAT): only the flags and the open count matter to us.
struct DriveStatus {
    static constexpr size_t kBytes = 80;
    static constexpr size_t kFlagsAt = 0;  // unsigned long
    static constexpr size_t kFdRefAt = 48;
    uint64_t flags = 0;
    int32_t fdRef = 0;
    static DriveStatus decode(std::span<const uint8_t> b) {
        return {uint64_t{loadU32(b, kFlagsAt + 4)} << 32 | loadU32(b, kFlagsAt),
                static_cast<int32_t>(loadU32(b, kFdRefAt))};
    }
    void encodeInto(std::span<uint8_t> b) const {
        storeU32(b, kFlagsAt, static_cast<uint32_t>(flags));
        storeU32(b, kFlagsAt + 4, static_cast<uint32_t>(flags >> 32));
        storeU32(b, kFdRefAt, static_cast<uint32_t>(fdRef));
    }
};

// struct floppy_drive_params (FDGETDRVPRM / FDSETDRVPRM): the CMOS drive type is its first byte. The
// driver prints a line per failed request once its error count reaches max_errors.reporting, and its
// informational lines while the flags carry FTD_MSG.
struct DriveParams {
    static constexpr size_t kBytes = 128;
    static constexpr size_t kCmosAt = 0;
    static constexpr size_t kAbortAt = 76;      // max_errors.abort: failures before a request fails
    static constexpr size_t kReportingAt = 92;  // max_errors.reporting
    static constexpr size_t kFlagsAt = 96;
    static constexpr uint8_t kMessagesFlag = 0x10;  // FTD_MSG
};

}  // namespace converter::linux_floppy
