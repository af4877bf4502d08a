#include "linux/fdc_results.h"

#include "win32_types.h"

namespace converter::linux_floppy {
namespace {

// The driver gave up on the command itself (timeout, reset) or the controller never finished it.
std::optional<uint32_t> unfinished(const RawCommand& reply, size_t replyBytes) {
    if (reply.flags & RawCommand::kDiskChange) return ERROR_NOT_READY;
    if ((reply.flags & RawCommand::kHardFailure) || reply.replyCount < replyBytes) return ERROR_IO_DEVICE;
    switch (reply.reply[0] & fdc::kSt0Code) {
        case 0x80: return ERROR_NOT_SUPPORTED;  // the controller does not know the command
        case 0xC0: return ERROR_NOT_READY;      // the drive's ready line changed
        default: break;
    }
    if (reply.reply[0] & fdc::kSt0NotReady) return ERROR_NOT_READY;
    return std::nullopt;
}

}  // namespace

ReadDataVerdict judgeReadData(const RawCommand& reply) {
    if (const auto code = unfinished(reply, fdc::kResultBytes)) return {RawReadOutcome::Failed, *code};
    const uint8_t st0 = reply.reply[0], st1 = reply.reply[1], st2 = reply.reply[2];
    const bool whole = reply.length == 0;  // the residue: nothing left untransferred
    if ((st0 & fdc::kSt0Code) == 0) {
        // A short transfer leaves part of the buffer as it was: nothing to keep.
        return whole ? ReadDataVerdict{RawReadOutcome::Good, 0}
                     : ReadDataVerdict{RawReadOutcome::Failed, ERROR_IO_DEVICE};
    }
    // The controller moves the data field before it checks its CRC, so a failed CRC still delivers it.
    if (st2 & fdc::kSt2DataCrc) {
        return whole ? ReadDataVerdict{RawReadOutcome::DataCrcError, ERROR_CRC}
                     : ReadDataVerdict{RawReadOutcome::Failed, ERROR_CRC};
    }
    if (st2 & (fdc::kSt2WrongCylinder | fdc::kSt2BadCylinder))
        return {RawReadOutcome::Failed, ERROR_SEEK, true};
    // MA in ST1 with MD in ST2: the header was found, its data field was not.
    if (st2 & fdc::kSt2MissingDataMark) return {RawReadOutcome::NoDataMark, ERROR_SECTOR_NOT_FOUND};
    if (st1 & (fdc::kSt1MissingAddressMark | fdc::kSt1NoData | fdc::kSt1Crc))
        return {RawReadOutcome::NoHeader, ERROR_SECTOR_NOT_FOUND};
    // Without terminal count the controller runs past the last sector asked for and says so; the driver
    // takes that as success, and so do we when everything arrived.
    if (st1 == fdc::kSt1EndOfCylinder && st2 == 0 && whole) return {RawReadOutcome::Good, 0};
    return {RawReadOutcome::Failed, ERROR_IO_DEVICE};
}

ReadIdVerdict judgeReadId(const RawCommand& reply) {
    if (const auto code = unfinished(reply, fdc::kResultBytes)) return {std::nullopt, *code};
    if ((reply.reply[0] & fdc::kSt0Code) != 0) {
        const bool noMark = reply.reply[1] & (fdc::kSt1MissingAddressMark | fdc::kSt1NoData | fdc::kSt1Crc);
        return {std::nullopt, noMark ? ERROR_SECTOR_NOT_FOUND : ERROR_IO_DEVICE};
    }
    return {std::array<uint8_t, 4>{reply.reply[3], reply.reply[4], reply.reply[5], reply.reply[6]}, 0};
}

SeekVerdict judgeSeek(const RawCommand& reply) {
    if (const auto code = unfinished(reply, 2)) return {false, false, 0, *code};
    const uint8_t st0 = reply.reply[0];
    if ((st0 & fdc::kSt0Code) == 0) return {true, false, reply.reply[1], 0};
    return {false, (st0 & fdc::kSt0EquipmentCheck) != 0, reply.reply[1], ERROR_SEEK};
}

}  // namespace converter::linux_floppy
