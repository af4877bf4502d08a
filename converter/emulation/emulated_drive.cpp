#include "emulation/emulated_drive.h"

#include <algorithm>
#include <csignal>
#include <random>

#include "emulation/memory_file.h"
#include "media_types.h"

namespace converter::emulation {
namespace {

bool usable(const DiskGeometry& g) {
    return g.cylinders > 0 && g.cylinders <= 0xFFFF && g.tracksPerCylinder > 0 &&
           g.tracksPerCylinder <= 255 && g.sectorsPerTrack > 0 && g.sectorsPerTrack <= 255 &&
           g.bytesPerSector > 0 && g.bytesPerSector <= 4096;
}

}  // namespace

EmulatedDrive::EmulatedDrive(DriveKind kind) : kind_(kind) {
    for (int32_t type : info().mediaTypes) supported_.push_back(formatForType(type)->geometry);
}

bool EmulatedDrive::insert(const DiskGeometry& geometry, std::unique_ptr<platform::RandomAccessFile> bytes) {
    if (!bytes || !usable(geometry) || bytes->size() != mediumBytes(geometry)) return false;
    store_ = std::move(bytes);
    geometry_ = geometry;
    formattedTracks_.assign(static_cast<size_t>(geometry.cylinders) * geometry.tracksPerCylinder, true);
    return true;
}

void EmulatedDrive::insertUnformatted() {
    store_ = std::make_unique<MemoryFile>();
    geometry_ = {};
    formattedTracks_.clear();
}

void EmulatedDrive::eject() {
    store_.reset();
    geometry_ = {};
    formattedTracks_.clear();
}

std::optional<DiskGeometry> EmulatedDrive::mediumGeometry() const {
    if (!store_ || formattedTracks_.empty() || !formattedTracks_[0]) return std::nullopt;
    return geometry_;
}

std::optional<std::vector<uint8_t>> EmulatedDrive::bootSector() {
    if (!mediumGeometry()) return std::nullopt;
    std::vector<uint8_t> sector(geometry_.bytesPerSector);
    if (read(0, sector).status != DriveStatus::Ok) return std::nullopt;
    return sector;
}

bool EmulatedDrive::lock(uint64_t owner) {
    if (lockedElsewhere_ || (lockOwner_ && *lockOwner_ != owner)) return false;
    lockOwner_ = owner;
    return true;
}

bool EmulatedDrive::unlock(uint64_t owner) {
    if (lockOwner_ != owner) return false;
    lockOwner_.reset();
    return true;
}

void EmulatedDrive::releaseLock(uint64_t owner) {
    if (lockOwner_ == owner) lockOwner_.reset();
}

SectorAddress EmulatedDrive::addressOf(uint32_t sector) const {
    const uint32_t track = sector / geometry_.sectorsPerTrack;
    return {track / geometry_.tracksPerCylinder, track % geometry_.tracksPerCylinder,
            sector % geometry_.sectorsPerTrack + 1};
}

bool EmulatedDrive::trackFormatted(uint32_t sector) const {
    return formattedTracks_[sector / geometry_.sectorsPerTrack];
}

template <typename Buffer, typename Move>
Transfer EmulatedDrive::transfer(uint32_t firstSector, Buffer buffer, Move move) {
    if (!store_) return {DriveStatus::NotReady, 0};
    const uint32_t bytes = geometry_.bytesPerSector;
    if (bytes == 0) return {DriveStatus::AddressMarkNotFound, 0};
    if (buffer.size() % bytes != 0) return {DriveStatus::BadCommand, 0};
    const uint64_t count = buffer.size() / bytes;
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t sector = uint64_t{firstSector} + i;
        if (sector >= mediumSectors(geometry_)) return {DriveStatus::SectorNotFound, i};
        if (!trackFormatted(static_cast<uint32_t>(sector))) return {DriveStatus::AddressMarkNotFound, i};
        const DriveStatus status =
            move(static_cast<uint32_t>(sector), buffer.subspan(size_t{i} * bytes, bytes));
        if (status != DriveStatus::Ok) return {status, i};
    }
    return {DriveStatus::Ok, static_cast<uint32_t>(count)};
}

void EmulatedDrive::countRequest() {
    ++counts_.requests;
    for (const auto& [request, signal] : signalsAt_)
        if (counts_.requests == request) std::raise(signal);
}

std::optional<DriveStatus> EmulatedDrive::readFault(SectorAddress at) {
    if (std::find(noId_.begin(), noId_.end(), at) != noId_.end()) return DriveStatus::SectorNotFound;
    if (auto bad = bad_.find(at); bad != bad_.end()) return bad->second;
    if (crc_.contains(at)) return DriveStatus::CrcError;
    if (auto weak = weak_.find(at); weak != weak_.end() && weak->second > 0) {
        --weak->second;
        return DriveStatus::CrcError;
    }
    return std::nullopt;
}

RawTransfer EmulatedDrive::readRaw(SectorAddress at, std::span<uint8_t> out) {
    countRequest();
    if (!store_) return {DriveStatus::NotReady, false};
    const DiskGeometry& g = geometry_;
    if (at.cylinder >= g.cylinders || at.head >= g.tracksPerCylinder || at.sector == 0 ||
        at.sector > g.sectorsPerTrack || out.size() != g.bytesPerSector)
        return {DriveStatus::SectorNotFound, false};
    const uint32_t index = (at.cylinder * g.tracksPerCylinder + at.head) * g.sectorsPerTrack + at.sector - 1;
    if (!trackFormatted(index)) return {DriveStatus::AddressMarkNotFound, false};
    const bool crc = crc_.contains(at);
    if (const auto fault = readFault(at); fault && !crc) {
        // A weak sector's bad read finds no usable data field.
        return {*fault == DriveStatus::CrcError ? DriveStatus::AddressMarkNotFound : *fault, false};
    }
    if (store_->readAt(uint64_t{index} * g.bytesPerSector, out) != static_cast<int64_t>(out.size()))
        return {DriveStatus::ControllerFailure, false};
    if (!crc) return {DriveStatus::Ok, true};
    // Each bit belongs to one of four classes and flips only in reads of its class, so no bit flips in as
    // many as half of three or more reads.
    const uint32_t read = crc_[at]++;
    std::mt19937 noise(index * 7919u + read);
    std::uniform_int_distribution<size_t> anyBit(0, out.size() * 8 - 1);
    for (int flipped = 0; flipped < 6;) {
        const size_t bit = anyBit(noise);
        if ((bit * 2654435761u >> 7) % 4 != read % 4) continue;
        out[bit / 8] = static_cast<uint8_t>(out[bit / 8] ^ (1u << (bit % 8)));
        ++flipped;
    }
    return {DriveStatus::CrcError, true};
}

Transfer EmulatedDrive::read(uint32_t firstSector, std::span<uint8_t> out) {
    countRequest();
    return transfer(firstSector, out, [&](uint32_t sector, std::span<uint8_t> into) {
        if (auto fault = readFault(addressOf(sector))) return *fault;
        const uint64_t at = uint64_t{sector} * geometry_.bytesPerSector;
        return store_->readAt(at, into) == static_cast<int64_t>(into.size()) ? DriveStatus::Ok
                                                                             : DriveStatus::ControllerFailure;
    });
}

Transfer EmulatedDrive::write(uint32_t firstSector, std::span<const uint8_t> in) {
    countRequest();
    // The controller looks at the tab before it moves anything.
    if (store_ && writeProtected_) return {DriveStatus::WriteProtected, 0};
    return transfer(firstSector, in, [&](uint32_t sector, std::span<const uint8_t> from) {
        const uint64_t at = uint64_t{sector} * geometry_.bytesPerSector;
        return store_->writeAt(at, from) == static_cast<int64_t>(from.size())
                   ? DriveStatus::Ok
                   : DriveStatus::ControllerFailure;
    });
}

DriveStatus EmulatedDrive::formatTrack(int32_t mediaType, uint32_t cylinder, uint32_t head) {
    if (!store_) return DriveStatus::NotReady;
    if (writeProtected_) return DriveStatus::WriteProtected;
    const auto target = std::find_if(supported_.begin(), supported_.end(),
                                     [&](const DiskGeometry& g) { return g.mediaType == mediaType; });
    if (target == supported_.end() || !usable(*target)) return DriveStatus::BadCommand;
    if (cylinder >= target->cylinders || head >= target->tracksPerCylinder) return DriveStatus::SeekFailed;

    if (formattedTracks_.empty() || geometry_.mediaType != mediaType) {
        if (!store_->setSize(mediumBytes(*target))) return DriveStatus::ControllerFailure;
        geometry_ = *target;
        formattedTracks_.assign(static_cast<size_t>(target->cylinders) * target->tracksPerCylinder, false);
    }
    const uint32_t track = cylinder * geometry_.tracksPerCylinder + head;
    const std::vector<uint8_t> empty(size_t{geometry_.sectorsPerTrack} * geometry_.bytesPerSector,
                                     kFormatFiller);
    if (store_->writeAt(uint64_t{track} * empty.size(), empty) != static_cast<int64_t>(empty.size())) {
        return DriveStatus::ControllerFailure;
    }
    formattedTracks_[track] = true;
    return DriveStatus::Ok;
}

}  // namespace converter::emulation
