#pragma once
// A kernel at the Linux floppy seam that keeps drive state the way the floppy driver and sd do: descriptors,
// the exclusive claim, revalidation on flush, write protection found on writing, UFI commands with sense.
#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "linux/fdc_raw_command.h"
#include "linux/kernel_abi.h"
#include "linux/sys_call_seam.h"

namespace linux_testing {

using namespace converter::linux_floppy;

struct FakeDrive {
    bool usb = false;
    int cmos = 4;
    bool medium = true;
    bool writable = true;                   // the medium's tab
    std::optional<FloppyParams> detected;   // what auto-detection finds; nothing = unformatted
    std::optional<FloppyParams> set;        // FDSETPRM's, until the medium changes
    bool flushed = false;                   // revalidated since open / change
    bool writableFlag = true;               // FD_DISK_WRITABLE as the driver last saw it
    int holders = 0;                        // descriptors of other programs
    bool heldExclusively = false;           // another program's O_EXCL claim, or a mount
    int unitAttentions = 0;                 // UFI: pending 6/28 answers
    bool resetRefused = false;              // SG_SCSI_RESET without root
    std::vector<std::pair<uint32_t, uint32_t>> formattable{{2880, 512}, {1440, 512}};
    std::vector<uint8_t> bytes;

    // The controller behind FDRAWCMD.
    struct RawFault {
        uint8_t st0, st1, st2;
        int64_t residue = 0;  // bytes the transfer left out
    };
    std::map<uint32_t, RawFault> rawFaults;        // by block: how READ DATA of it ends
    std::set<std::pair<uint32_t, uint32_t>> bareTracks;  // cylinder/head without a single header
    std::set<uint32_t> badBlocks;                  // UFI: blocks READ(10) fails at (medium error)
    bool senseValid = true;                        // UFI: the sense names the failing block
    bool rezeroRefused = false;
    int headTrack = 0;
    int seekError = 0;            // tracks a seek lands off its target until a RECALIBRATE
    bool headFarOut = false;      // the first RECALIBRATE runs out of steps
    uint32_t trackSectors = 18;   // headers READ ID finds on every track
    uint32_t rotation = 0;
    bool root = true;             // FDSETDRVPRM needs CAP_SYS_ADMIN
    bool rawCompiledOut = false;  // a kernel without CONFIG_BLK_DEV_FD_RAWCMD
    std::array<uint8_t, DriveParams::kBytes> driveParams = [] {
        std::array<uint8_t, DriveParams::kBytes> p{};
        p[DriveParams::kFlagsAt] = DriveParams::kMessagesFlag | 0x01;
        storeU32(p, DriveParams::kAbortAt, 3);
        storeU32(p, DriveParams::kReportingAt, 2);
        return p;
    }();
};

inline FloppyParams hd144() { return {2880, 18, 2, 80, 0, 0x1B, 0x00, 0xCF, 0x6C}; }

class FakeKernel final : public SysCallSeam {
public:
    struct Fd {
        std::string path;
        uint32_t flags = 0;
    };
    std::map<std::string, FakeDrive> drives;
    std::map<int, Fd> fds;
    std::vector<std::string> log;                 // one line per call that reached a drive
    std::vector<std::vector<uint8_t>> sgData;     // parameter lists sent to the device
    std::vector<std::vector<uint8_t>> sgCdbs;
    std::map<uint32_t, int> failIoctl;            // request → errno for every such call

    FakeDrive& drive(int fd) { return drives.at(fds.at(fd).path); }
    int refs(const std::string& path) const {
        return static_cast<int>(std::count_if(fds.begin(), fds.end(), [&](auto& f) { return f.second.path == path; }));
    }

    int open(const std::string& path, uint32_t flags) override {
        log.push_back("open " + path + ((flags & OpenFlag::kExclusive) ? " excl" : "") +
                      ((flags & OpenFlag::kReadWrite) ? " rw" : " ro"));
        auto it = drives.find(path);
        if (it == drives.end()) return -err::NoEnt;
        FakeDrive& d = it->second;
        if (flags & OpenFlag::kExclusive) {
            if (d.heldExclusively) return -err::Busy;
        }
        if (d.usb && (flags & OpenFlag::kReadWrite) && d.medium && !d.writable) return -err::RoFs;
        if (!(flags & OpenFlag::kNonBlock) && !d.medium) return d.usb ? -err::NoMedium : -err::NxIo;
        fds[next_] = {path, flags};
        return next_++;
    }
    int close(int fd) override {
        log.push_back("close");
        return fds.erase(fd) ? 0 : -err::BadF;
    }
    int ioctl(int fd, uint32_t req, std::span<uint8_t> arg) override {
        if (!fds.count(fd)) return -err::BadF;
        FakeDrive& d = drive(fd);
        const bool canWrite = (fds[fd].flags & OpenFlag::kReadWrite) != 0;
        if (auto f = failIoctl.find(req); f != failIoctl.end()) return -f->second;
        switch (req) {
            case request::FdFlush:
                log.push_back("FDFLUSH");
                if (!canWrite) return -err::Perm;
                d.flushed = true;
                d.writableFlag = d.medium && d.writable;
                return 0;
            case request::FdGetDrvStat: {
                DriveStatus s;
                s.flags = (d.flushed && d.medium ? 0 : kDiskChanged) | (d.writableFlag && d.medium ? kDiskWritable : 0);
                s.fdRef = refs(fds[fd].path) + d.holders;
                s.encodeInto(arg);
                return 0;
            }
            case request::FdGetDrvPrm:
                std::copy(d.driveParams.begin(), d.driveParams.end(), arg.begin());
                arg[0] = static_cast<uint8_t>(d.cmos);
                return 0;
            case request::FdSetDrvPrm:
                log.push_back("FDSETDRVPRM");
                if (!d.root) return -err::Perm;
                std::copy(arg.begin(), arg.end(), d.driveParams.begin());
                return 0;
            case request::FdGetPrm: {
                log.push_back("FDGETPRM");
                const auto p = d.set ? d.set : (d.medium && d.flushed ? d.detected : std::nullopt);
                if (!p) return -err::NoDev;
                auto b = p->encode();
                std::copy(b.begin(), b.end(), arg.begin());
                return 0;
            }
            case request::FdSetPrm: {
                if (!canWrite) return -err::Perm;
                const FloppyParams p = FloppyParams::decode(arg);
                log.push_back("FDSETPRM " + describe(p));
                const uint32_t driveTracks = d.cmos == 1 ? 40 : 80;
                if (p.track > (driveTracks >> (p.stretch & 1))) return -err::Inval;
                d.set = p;
                return 0;
            }
            case request::FdFmtBeg:
                log.push_back("FDFMTBEG");
                if (!canWrite) return -err::Perm;
                if (!d.medium || !d.writableFlag) return -err::RoFs;
                return 0;
            case request::FdFmtTrk: {
                const FormatTrack t = FormatTrack::decode(arg);
                log.push_back("FDFMTTRK " + std::to_string(t.track) + "/" + std::to_string(t.head));
                if (refs(fds[fd].path) + d.holders > 1) return -err::Busy;
                if (!d.medium) return -err::Io;
                const auto p = d.set ? d.set : d.detected;
                if (!p || t.track >= p->track) return -err::Inval;
                if (!d.writable) {
                    d.writableFlag = false;
                    return -err::Io;
                }
                return 0;
            }
            case request::FdFmtEnd:
                log.push_back("FDFMTEND");
                d.flushed = true;
                return 0;
            case request::BlkFlsBuf:
                log.push_back("BLKFLSBUF");
                return -err::Acces;
            case request::SgScsiReset:
                log.push_back("SG_SCSI_RESET " + std::to_string(loadU32(arg, 0)));
                return d.resetRefused ? -err::Acces : 0;
            default:
                return -err::NoTty;
        }
    }
    int rawCommand(int fd, std::span<uint8_t> bytes, std::span<uint8_t> data) override {
        if (!fds.count(fd)) return -err::BadF;
        // The driver's rule for requests with bit 6 of their number: a descriptor open for writing.
        if (!(fds[fd].flags & OpenFlag::kReadWrite)) return -err::Perm;
        FakeDrive& d = drive(fd);
        if (d.rawCompiledOut) {
            log.push_back("FDRAWCMD refused");
            return -err::OpNotSupp;
        }
        RawCommand c = RawCommand::decode(bytes);
        const uint8_t unit = c.cmd[1] & 3, head = (c.cmd[1] >> 2) & 1;
        c.replyCount = 0;
        c.reply = {};
        if ((c.flags & RawCommand::kNeedDisk) && !d.medium) {
            log.push_back("FDRAWCMD no disk");
            c.flags |= RawCommand::kDiskChange | RawCommand::kFailure | RawCommand::kHardFailure;
            c.encodeReplyInto(bytes);
            return -err::Io;
        }
        if (c.flags & RawCommand::kNeedSeek) d.headTrack = c.track + d.seekError;
        auto result = [&](uint8_t st0, uint8_t st1, uint8_t st2, std::array<uint8_t, 4> chrn) {
            c.reply = {static_cast<uint8_t>(st0 | head << 2 | unit), st1, st2, chrn[0], chrn[1], chrn[2], chrn[3]};
            c.replyCount = 7;
        };
        const uint8_t code = c.cmd[0];
        const bool bare = d.bareTracks.count({static_cast<uint32_t>(d.headTrack), head}) != 0;
        if (code == fdc::kReadData) {
            const uint32_t cyl = c.cmd[2], sector = c.cmd[4];
            log.push_back("FDRAWCMD READ " + std::to_string(cyl) + "/" + std::to_string(head) + "/" + std::to_string(sector));
            const FloppyParams p = d.detected.value_or(hd144());
            const uint32_t block = (cyl * p.head + head) * p.sect + sector - 1;
            const std::array<uint8_t, 4> chrn{uint8_t(cyl), head, uint8_t(sector), 2};
            if (bare) {
                result(0x40, fdc::kSt1MissingAddressMark, 0, chrn);
            } else if (d.headTrack != c.track) {
                result(0x40, fdc::kSt1NoData, fdc::kSt2WrongCylinder, chrn);
            } else {
                const auto fault = d.rawFaults.find(block);
                const int64_t residue = fault == d.rawFaults.end() ? 0 : fault->second.residue;
                const size_t moved = data.size() - static_cast<size_t>(residue);
                const bool delivers = fault == d.rawFaults.end() || (fault->second.st2 & fdc::kSt2DataCrc) ||
                                      (fault->second.st0 & fdc::kSt0Code) == 0 || fault->second.st1 == fdc::kSt1EndOfCylinder;
                if (delivers) {
                    std::memcpy(data.data(), d.bytes.data() + size_t{block} * 512, moved);
                    // What a failed CRC delivers is close to the data, not the data.
                    if (fault != d.rawFaults.end() && (fault->second.st2 & fdc::kSt2DataCrc)) data[7] ^= 0x10;
                }
                c.length = residue;
                if (fault == d.rawFaults.end()) result(0, 0, 0, chrn);
                else result(fault->second.st0, fault->second.st1, fault->second.st2, chrn);
            }
        } else if (code == fdc::kReadId) {
            log.push_back("FDRAWCMD READID " + std::to_string(c.track) + "/" + std::to_string(head));
            if (bare) result(0x40, fdc::kSt1MissingAddressMark, 0, {0, 0, 0, 0});
            else result(0, 0, 0, {uint8_t(d.headTrack), head, uint8_t(d.rotation++ % d.trackSectors + 1), 2});
        } else if (code == fdc::kRecalibrate) {
            log.push_back("FDRAWCMD RECALIBRATE");
            if (d.headFarOut) {
                d.headFarOut = false;
                d.headTrack = 2;
                c.reply = {static_cast<uint8_t>(0x70 | unit), 0};
            } else {
                d.headTrack = 0, d.seekError = 0;
                c.reply = {static_cast<uint8_t>(0x20 | unit), 0};
            }
            c.replyCount = 2;
        } else if (code == fdc::kSeek) {
            log.push_back("FDRAWCMD SEEK " + std::to_string(c.cmd[2]));
            d.headTrack = c.cmd[2] + d.seekError;
            c.reply = {static_cast<uint8_t>(0x20 | unit), static_cast<uint8_t>(d.headTrack)};
            c.replyCount = 2;
        } else {
            c.reply = {0x80};
            c.replyCount = 1;
        }
        c.encodeReplyInto(bytes);
        return 0;
    }
    SgOutcome sgIo(int fd, std::span<const uint8_t> cdb, SgDirection, std::span<uint8_t> data,
                   std::span<uint8_t> sense, uint32_t) override {
        FakeDrive& d = drive(fd);
        sgCdbs.emplace_back(cdb.begin(), cdb.end());
        auto check = [&](uint8_t key, uint8_t asc) {
            sense[0] = 0x70, sense[2] = key, sense[7] = 10, sense[12] = asc;
            return SgOutcome{0, 2, 1, 0, 0x08, 18, 0};
        };
        if (d.unitAttentions > 0) {
            --d.unitAttentions;
            return check(6, 0x28);
        }
        switch (cdb[0]) {
            case 0x00:
                return d.medium ? (d.detected ? SgOutcome{} : check(3, 0x30)) : check(2, 0x3A);
            case 0x25: {
                if (!d.medium) return check(2, 0x3A);
                if (!d.detected) return check(3, 0x30);
                const uint32_t last = d.detected->size - 1;
                const uint8_t b[8] = {uint8_t(last >> 24), uint8_t(last >> 16), uint8_t(last >> 8), uint8_t(last), 0, 0, 2, 0};
                std::copy(b, b + 8, data.begin());
                return {};
            }
            case 0x23: {
                std::fill(data.begin(), data.end(), 0);
                data[3] = static_cast<uint8_t>(8 * (1 + d.formattable.size()));
                size_t at = 12;
                data[8] = d.medium ? 2 : 3;
                for (auto [blocks, size] : d.formattable) {
                    data[at] = uint8_t(blocks >> 24), data[at + 1] = uint8_t(blocks >> 16);
                    data[at + 2] = uint8_t(blocks >> 8), data[at + 3] = uint8_t(blocks);
                    data[at + 5] = uint8_t(size >> 16), data[at + 6] = uint8_t(size >> 8), data[at + 7] = uint8_t(size);
                    at += 8;
                }
                return {};
            }
            case 0x5A:
                if (!d.medium) return check(2, 0x3A);
                std::fill(data.begin(), data.end(), 0);
                data[3] = d.writable ? 0 : 0x80;
                return {};
            case 0x28: {
                if (!d.medium) return check(2, 0x3A);
                const uint32_t lba = loadBe32(cdb, 2);
                const uint32_t count = uint32_t{cdb[7]} << 8 | cdb[8];
                log.push_back("READ(10) " + std::to_string(lba) + "+" + std::to_string(count));
                for (uint32_t b = lba; b < lba + count; ++b) {
                    if (!d.badBlocks.count(b)) continue;
                    SgOutcome out = check(3, 0x11);
                    if (d.senseValid) {
                        sense[0] |= 0x80;
                        sense[3] = uint8_t(b >> 24), sense[4] = uint8_t(b >> 16), sense[5] = uint8_t(b >> 8), sense[6] = uint8_t(b);
                    }
                    return out;
                }
                std::memcpy(data.data(), d.bytes.data() + size_t{lba} * 512, data.size());
                return {};
            }
            case 0x01:
                log.push_back("REZERO UNIT");
                return d.rezeroRefused ? check(5, 0x20) : SgOutcome{};
            case 0x04:
                sgData.emplace_back(data.begin(), data.end());
                log.push_back("FORMAT UNIT " + std::to_string(cdb[2]) + "/" + std::to_string(data[1] & 1));
                if (!d.medium) return check(2, 0x3A);
                if (!d.writable) return check(7, 0x27);
                return {};
            default:
                return check(5, 0x20);
        }
    }
    int64_t pread(int fd, std::span<uint8_t> buffer, uint64_t offset) override {
        log.push_back("pread " + std::to_string(offset));
        if (int e = directRules(fd, buffer.data(), buffer.size())) return -e;
        FakeDrive& d = drive(fd);
        if (!d.medium) return d.usb ? -err::NoMedium : -err::Io;
        if (offset >= d.bytes.size()) return 0;
        const size_t n = std::min(buffer.size(), d.bytes.size() - static_cast<size_t>(offset));
        std::memcpy(buffer.data(), d.bytes.data() + offset, n);
        return static_cast<int64_t>(n);
    }
    int64_t pwrite(int fd, std::span<const uint8_t> buffer, uint64_t offset) override {
        log.push_back("pwrite " + std::to_string(offset));
        if (int e = directRules(fd, buffer.data(), buffer.size())) return -e;
        FakeDrive& d = drive(fd);
        if (!(fds[fd].flags & OpenFlag::kReadWrite)) return -err::BadF;
        if (!d.medium) return -err::Io;
        if (!d.writable) {
            d.writableFlag = false;
            return d.usb ? -err::Perm : -err::Io;
        }
        if (offset >= d.bytes.size()) return 0;
        const size_t n = std::min(buffer.size(), d.bytes.size() - static_cast<size_t>(offset));
        std::memcpy(d.bytes.data() + offset, buffer.data(), n);
        return static_cast<int64_t>(n);
    }
    int fcntlAddFlags(int fd, uint32_t flags) override {
        if (!fds.count(fd)) return -err::BadF;
        fds[fd].flags |= flags;
        return 0;
    }
    int fsync(int fd) override {
        log.push_back("fsync");
        return fds.count(fd) ? 0 : -err::BadF;
    }

    static std::string describe(const FloppyParams& p) {
        char text[96];
        std::snprintf(text, sizeof text, "%u,%u,%u,%u,%u,%02X,%02X,%02X,%02X", p.size, p.sect, p.head, p.track,
                      p.stretch, p.gap, p.rate, p.spec1, p.fmtGap);
        return text;
    }

private:
    // O_DIRECT refuses unaligned memory and partial sectors, as the block layer does.
    int directRules(int fd, const void* data, size_t size) {
        if (!fds.count(fd)) return err::BadF;
        if (!(fds[fd].flags & OpenFlag::kDirect)) return 0;
        if (reinterpret_cast<uintptr_t>(data) % 4096 != 0 || size % 512 != 0) return err::Inval;
        return 0;
    }
    int next_ = 3;
};

}  // namespace linux_testing
