#pragma once
// One command for the floppy controller as FDRAWCMD carries it (struct floppy_raw_cmd, x86_64), and the
// controller's command and status bits (linux/fdreg.h). The platform file checks the layout against the
// kernel's header; the data pointer is filled in there, the only place that hands memory to the kernel.
#include <array>
#include <cstdint>
#include <span>

#include "linux/kernel_abi.h"

namespace converter::linux_floppy {

struct RawCommand {
    static constexpr size_t kBytes = 104;
    static constexpr size_t kFlagsAt = 0;
    static constexpr size_t kDataAt = 8;  // void*, set by the platform
    static constexpr size_t kLengthAt = 32;  // long: in, bytes to move; out, bytes not moved
    static constexpr size_t kRateAt = 52;
    static constexpr size_t kCmdCountAt = 53;
    static constexpr size_t kCmdAt = 54;
    static constexpr size_t kReplyCountAt = 70;
    static constexpr size_t kReplyAt = 71;
    static constexpr size_t kTrackAt = 88;
    static constexpr size_t kMaxCmd = 16, kMaxReply = 16;

    // flags, in
    static constexpr uint32_t kRead = 0x1;
    static constexpr uint32_t kIntr = 0x8;        // the command ends with an interrupt
    static constexpr uint32_t kNeedDisk = 0x40;   // refuse when the drive reports no disk
    static constexpr uint32_t kNeedSeek = 0x80;   // the driver seeks to track first
    // flags, out
    static constexpr uint32_t kDiskChange = 0x4;
    static constexpr uint32_t kFailure = 0x10000;
    static constexpr uint32_t kHardFailure = 0x20000;  // the controller timed out or had to be reset

    uint32_t flags = 0;
    int64_t length = 0;
    uint8_t rate = 0;
    uint8_t cmdCount = 0;
    std::array<uint8_t, kMaxCmd> cmd{};
    uint8_t replyCount = 0;
    std::array<uint8_t, kMaxReply> reply{};
    int32_t track = 0;

    std::array<uint8_t, kBytes> encode() const {
        std::array<uint8_t, kBytes> b{};
        storeU32(b, kFlagsAt, flags);
        storeU32(b, kLengthAt, static_cast<uint32_t>(length));
        storeU32(b, kLengthAt + 4, static_cast<uint32_t>(static_cast<uint64_t>(length) >> 32));
        b[kRateAt] = rate;
        b[kCmdCountAt] = cmdCount;
        for (size_t i = 0; i < kMaxCmd; ++i) b[kCmdAt + i] = cmd[i];
        storeU32(b, kTrackAt, static_cast<uint32_t>(track));
        return b;
    }
    static RawCommand decode(std::span<const uint8_t> b) {
        RawCommand c;
        c.flags = loadU32(b, kFlagsAt);
        c.length = static_cast<int64_t>(uint64_t{loadU32(b, kLengthAt + 4)} << 32 | loadU32(b, kLengthAt));
        c.rate = b[kRateAt];
        c.cmdCount = b[kCmdCountAt];
        for (size_t i = 0; i < kMaxCmd; ++i) c.cmd[i] = b[kCmdAt + i];
        c.replyCount = b[kReplyCountAt];
        for (size_t i = 0; i < kMaxReply; ++i) c.reply[i] = b[kReplyAt + i];
        c.track = static_cast<int32_t>(loadU32(b, kTrackAt));
        return c;
    }
    // What the driver hands back: the reply bytes and the flags and length it changed.
    void encodeReplyInto(std::span<uint8_t> b) const {
        storeU32(b, kFlagsAt, flags);
        storeU32(b, kLengthAt, static_cast<uint32_t>(length));
        storeU32(b, kLengthAt + 4, static_cast<uint32_t>(static_cast<uint64_t>(length) >> 32));
        b[kReplyCountAt] = replyCount;
        for (size_t i = 0; i < kMaxReply; ++i) b[kReplyAt + i] = reply[i];
    }
};

// Controller commands (MFM, without multi-track or skip: one sector, deleted data delivered too).
namespace fdc {
inline constexpr uint8_t kReadData = 0x46;
inline constexpr uint8_t kReadId = 0x4A;
inline constexpr uint8_t kRecalibrate = 0x07;
inline constexpr uint8_t kSeek = 0x0F;

// Result phase of READ DATA and READ ID: ST0 ST1 ST2 C H R N.
inline constexpr size_t kResultBytes = 7;
inline constexpr uint8_t kSt0Code = 0xC0;  // 0x00 normal, 0x40 abnormal, 0x80 invalid command, 0xC0 polling
inline constexpr uint8_t kSt0Abnormal = 0x40;
inline constexpr uint8_t kSt0NotReady = 0x08;
inline constexpr uint8_t kSt0EquipmentCheck = 0x10;  // recalibrate did not reach track 0
inline constexpr uint8_t kSt1MissingAddressMark = 0x01;
inline constexpr uint8_t kSt1NoData = 0x04;  // no header with this address
inline constexpr uint8_t kSt1Overrun = 0x10;
inline constexpr uint8_t kSt1Crc = 0x20;    // in the header or, with kSt2DataCrc, in the data field
inline constexpr uint8_t kSt1EndOfCylinder = 0x80;
inline constexpr uint8_t kSt2MissingDataMark = 0x01;
inline constexpr uint8_t kSt2BadCylinder = 0x02;
inline constexpr uint8_t kSt2WrongCylinder = 0x10;
inline constexpr uint8_t kSt2DataCrc = 0x20;
}  // namespace fdc

}  // namespace converter::linux_floppy
