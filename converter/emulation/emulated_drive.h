#pragma once
// One floppy drive and the medium in it, as a program sees them through the controller: sectors that read
// and write, tracks laid down by formatting, a write-protect tab, damaged sectors, a volume lock. The
// emulated platform devices and ImageFloppy all answer from one of these.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "emulation/drive_status.h"
#include "emulation/floppy_formats.h"
#include "orva.h"
#include "platform/random_access_file.h"

namespace converter::emulation {

// Physical position; sectors count from 1.
struct SectorAddress {
    uint32_t cylinder;
    uint32_t head;
    uint32_t sector;
    auto operator<=>(const SectorAddress&) const = default;
};

struct Transfer {
    DriveStatus status;
    uint32_t sectors;  // moved before the status arose
};

// A single sector read the way a legacy controller does it: a data field that fails its CRC still arrives.
struct RawTransfer {
    DriveStatus status;
    bool dataDelivered;  // the buffer holds the data field, whatever the status
};

// What a run cost the drive.
struct DriveCounts {
    uint64_t requests = 0;  // reads and writes, whole or raw
    uint64_t recalibrations = 0;
};

class EmulatedDrive {
  public:
    explicit EmulatedDrive(DriveKind kind);

    DriveKind kind() const { return kind_; }
    const DriveKindInfo& info() const { return driveKindInfo(kind_); }

    // The medium. bytes hold the formatted geometry's sectors in device order and must be exactly that long.
    bool insert(const DiskGeometry& geometry, std::unique_ptr<platform::RandomAccessFile> bytes);
    void insertUnformatted();
    void eject();
    bool hasMedium() const { return store_ != nullptr; }
    // The medium's geometry when a medium is in and its first track is formatted.
    std::optional<DiskGeometry> mediumGeometry() const;
    // The medium's boot sector, when it can be read.
    std::optional<std::vector<uint8_t>> bootSector();

    // What the platform reports as the drive's supported media, by default those of its kind.
    std::span<const DiskGeometry> supportedTypes() const { return supported_; }
    void setSupportedTypes(std::vector<DiskGeometry> types) { supported_ = std::move(types); }

    bool writeProtected() const { return writeProtected_; }
    void setWriteProtected(bool on) { writeProtected_ = on; }
    // A damaged sector: reads of it end with the status; writes still take.
    void addBadSector(SectorAddress at, DriveStatus status) { bad_[at] = status; }
    // A weak sector fails its first `failures` reads of any kind, then reads correctly.
    void addWeakSector(SectorAddress at, uint32_t failures) { weak_[at] = failures; }
    // A data field that always fails its CRC: plain reads fail, raw reads deliver it with a few bits
    // flipped, each bit in a minority of the reads.
    void addCrcSector(SectorAddress at) { crc_[at] = 0; }
    // A sector whose header is gone: no read ever finds it.
    void addMissingHeader(SectorAddress at) { noId_.push_back(at); }
    // A legacy controller drive that takes raw commands.
    bool raw() const { return raw_; }
    void setRaw(bool on) { raw_ = on; }
    // The signal arrives while this request runs: SIGKILL ends the process there, as a power cut would;
    // after Ctrl-C (SIGINT) or a kill (SIGTERM) the request itself completes.
    void addSignalAtRequest(int signal, uint64_t request) { signalsAt_.emplace_back(request, signal); }
    const DriveCounts& counts() const { return counts_; }

    // Requests that never reach the drive: the device driver gives up without an answer.
    bool noAnswer() const { return noAnswer_; }
    void setNoAnswer(bool on) { noAnswer_ = on; }
    // A single read delivers at most this many bytes where the protocol allows a short read.
    std::optional<uint32_t> shortReadBytes() const { return shortRead_; }
    void setShortReadBytes(std::optional<uint32_t> bytes) { shortRead_ = bytes; }

    // The volume lock. Another program may hold it; owners are whatever the device uses to tell handles
    // apart.
    void setLockedElsewhere(bool on) { lockedElsewhere_ = on; }
    bool lock(uint64_t owner);
    bool unlock(uint64_t owner);
    void releaseLock(uint64_t owner);
    std::optional<uint64_t> lockOwner() const { return lockOwner_; }

    // Whole sectors of the medium, numbered from 0 in device order. out.size() is a multiple of the
    // medium's sector size; the sectors before a failing one are transferred.
    Transfer read(uint32_t firstSector, std::span<uint8_t> out);
    Transfer write(uint32_t firstSector, std::span<const uint8_t> in);
    RawTransfer readRaw(SectorAddress at, std::span<uint8_t> out);
    void recalibrate() { ++counts_.recalibrations; }
    // Lays down empty sectors of a supported type on one track. A type other than the medium's present one
    // makes the whole medium that type, with every other track unformatted until it is formatted too.
    DriveStatus formatTrack(int32_t mediaType, uint32_t cylinder, uint32_t head);

    static constexpr uint8_t kFormatFiller = 0xF6;

  private:
    bool trackFormatted(uint32_t sector) const;
    SectorAddress addressOf(uint32_t sector) const;
    void countRequest();
    // The fault a read of the sector meets now, if any; counts the read against a weak sector.
    std::optional<DriveStatus> readFault(SectorAddress at);
    template <typename Buffer, typename Move>
    Transfer transfer(uint32_t firstSector, Buffer buffer, Move move);

    DriveKind kind_;
    std::vector<DiskGeometry> supported_;
    std::unique_ptr<platform::RandomAccessFile> store_;
    DiskGeometry geometry_{};            // type 0 while nothing is formatted
    std::vector<bool> formattedTracks_;  // cylinder × heads + head
    std::map<SectorAddress, DriveStatus> bad_;
    std::map<SectorAddress, uint32_t> weak_;  // failures still to come
    std::map<SectorAddress, uint32_t> crc_;   // raw reads so far
    std::vector<SectorAddress> noId_;
    bool raw_ = false;
    std::vector<std::pair<uint64_t, int>> signalsAt_;  // request, signal
    DriveCounts counts_;
    bool writeProtected_ = false;
    bool noAnswer_ = false;
    bool lockedElsewhere_ = false;
    std::optional<uint32_t> shortRead_;
    std::optional<uint64_t> lockOwner_;
};

}  // namespace converter::emulation
