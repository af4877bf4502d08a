#include "rescue_floppy.h"

#include <algorithm>
#include <cerrno>
#include <map>
#include <optional>

#include "cylinder_buffer.h"
#include "image_target.h"
#include "platform/containers/container_format.h"
#include "platform/containers/open_image.h"
#include "platform/containers/replace_file.h"
#include "platform/host_file.h"
#include "platform/path_info.h"
#include "sector_map.h"
#include "sector_vote.h"
#include "take_drive.h"

namespace converter::actions {
namespace {

namespace containers = platform::containers;

constexpr uint8_t kFiller = 0xEE;

// One rescue over an open image and its map. Every step that finishes a sector writes its bytes, makes the
// image durable, and only then saves the map that says so.
class RescueRun {
  public:
    RescueRun(HeldDrive& held, const DiskGeometry& geometry, std::span<uint8_t> cylinder, ImageTarget& image,
              SectorMap& map, const RescueRequest& request, RescueObserver& observer)
        : held_(held),
          geometry_(geometry),
          cylinder_(cylinder),
          image_(*image.file),
          container_(image.container),
          map_(map),
          request_(request),
          observer_(observer),
          bytesPerSector_(geometry.bytesPerSector),
          sectorsPerCylinder_(geometry.tracksPerCylinder * geometry.sectorsPerTrack) {}

    Result run() {
        if (auto end = cylinderPass()) return *end;
        if (auto end = sectorPass()) return *end;
        for (uint32_t round = 1; round <= request_.retries; ++round) {
            if (missing() == 0) break;
            if (auto end = retryRound(round)) return *end;
        }
        map_.setPhase(containers::kFinished, std::max(request_.retries, 1u), 0);
        if (auto end = saveMap()) return *end;
        return {};
    }

    RescueSummary summary() const {
        RescueSummary s;
        s.sectors = map_.sectors();
        s.finished = map_.count(containers::kFinished);
        s.recoveredByVote = byVote_;
        for (uint32_t i = 0; i < map_.sectors(); ++i)
            if (map_.state(i) != containers::kFinished) s.missing.push_back(idOf(i));
        s.requests = requests_;
        s.recalibrations = recalibrations_;
        return s;
    }

  private:
    std::optional<Result> cylinderPass() {
        const uint32_t cylinders = static_cast<uint32_t>(geometry_.cylinders);
        if (map_.count(containers::kNonTried) == 0) return std::nullopt;
        observer_.passStarted(RescuePass::Cylinders, 1, missing());
        for (uint32_t c = 0; c < cylinders; ++c) {
            const uint32_t first = c * sectorsPerCylinder_;
            bool untried = true;
            for (uint32_t s = first; s < first + sectorsPerCylinder_; ++s)
                untried = untried && map_.state(s) == containers::kNonTried;
            // A cylinder partly done in an earlier run is left to the sector pass.
            if (!untried) continue;
            if (observer_.stopRequested()) return stopped();
            map_.setPhase(containers::kNonTried, 1, first);
            if (auto end = readCylinder(first)) return *end;
            observer_.cylinderTried(RescuePass::Cylinders, c, missing());
        }
        return std::nullopt;
    }

    // One request for the whole cylinder where it reads; where the drive names the sector a read failed
    // at, the sectors around it in the same pass. What did not arrive waits for the sector pass.
    std::optional<Result> readCylinder(uint32_t first) {
        const uint64_t offset = uint64_t{first} * bytesPerSector_;
        std::vector<bool> good;
        requests_ += held_.access().ReadSectorsAround(held_.handle(), cylinder_, held_.number(),
                                                      ByteOffset{static_cast<uint32_t>(offset)},
                                                      bytesPerSector_, good);
        good.resize(sectorsPerCylinder_, false);
        for (uint32_t i = 0; i < sectorsPerCylinder_;) {
            uint32_t end = i;
            while (end < sectorsPerCylinder_ && good[end]) ++end;
            if (end > i) {
                const auto run =
                    cylinder_.subspan(size_t{i} * bytesPerSector_, size_t{end - i} * bytesPerSector_);
                if (auto failure = writeImage(offset + uint64_t{i} * bytesPerSector_, run)) return failure;
            }
            i = end + (end == i ? 1 : 0);
        }
        for (uint32_t i = 0; i < sectorsPerCylinder_; ++i)
            map_.set(first + i, good[i] ? containers::kFinished : containers::kNonTrimmed);
        return saveMap();
    }

    std::optional<Result> sectorPass() {
        std::vector<uint32_t> todo;
        for (uint32_t s = 0; s < map_.sectors(); ++s) {
            const char state = map_.state(s);
            if (state == containers::kNonTried || state == containers::kNonTrimmed ||
                state == containers::kNonScraped)
                todo.push_back(s);
        }
        if (todo.empty()) return std::nullopt;
        observer_.passStarted(RescuePass::Sectors, 1, missing());
        for (uint32_t s : todo) {
            if (observer_.stopRequested()) return stopped();
            map_.setPhase(containers::kNonScraped, 1, s);
            if (auto end = readSector(RescuePass::Sectors, s, true)) return end;
            if (s % sectorsPerCylinder_ == sectorsPerCylinder_ - 1 || s == todo.back())
                observer_.cylinderTried(RescuePass::Sectors, s / sectorsPerCylinder_, missing());
        }
        return std::nullopt;
    }

    // Each round approaches from a recalibrated head, and every other round walks the disk backwards, so
    // the head comes to a track from the other side.
    std::optional<Result> retryRound(uint32_t round) {
        std::vector<uint32_t> todo;
        for (uint32_t s = 0; s < map_.sectors(); ++s)
            if (map_.state(s) == containers::kBadSector) todo.push_back(s);
        if (round % 2 == 1) std::reverse(todo.begin(), todo.end());
        if (observer_.stopRequested()) return stopped();
        if (held_.access().Recalibrate(held_.handle())) ++recalibrations_;
        observer_.passStarted(RescuePass::Retries, round, missing());
        for (uint32_t s : todo) {
            if (observer_.stopRequested()) return stopped();
            map_.setPhase(containers::kBadSector, round, s);
            if (auto end = readSector(RescuePass::Retries, s, false)) return end;
        }
        return std::nullopt;
    }

    // Raw where the drive offers it (CRC-failed data goes to the vote), else a plain read of the sector.
    std::optional<Result> readSector(RescuePass pass, uint32_t s, bool fillWhenUnread) {
        const auto sector = cylinder_.first(bytesPerSector_);
        SectorResult result{idOf(s)};
        if (rawOffered_) {
            ++requests_;
            const RawSectorRead raw = held_.access().ReadSectorRaw(held_.handle(), result.id, sector);
            if (raw.outcome == RawReadOutcome::NotOffered) {
                --requests_;
                rawOffered_ = false;
            } else {
                result.raw = raw.outcome;
                result.code = static_cast<int>(raw.code);
                if (raw.outcome == RawReadOutcome::Good) result.outcome = SectorOutcome::Read;
                if (raw.outcome == RawReadOutcome::DataCrcError) {
                    SectorVote& vote = votes_[s];
                    vote.add(sector);
                    if (auto data = vote.settled()) {
                        std::copy(data->begin(), data->end(), sector.begin());
                        result.outcome = SectorOutcome::RecoveredByVote;
                        byVote_.push_back(result.id);
                    }
                }
            }
        }
        if (!rawOffered_) {
            const uint64_t offset = uint64_t{s} * bytesPerSector_;
            held_.access().SetDrivePosition(held_.handle(), static_cast<uint32_t>(offset));
            uint32_t got = 0;
            ++requests_;
            if (held_.access().ReadSectors(held_.handle(), sector, got, held_.number(),
                                           ByteOffset{static_cast<uint32_t>(offset)}, bytesPerSector_) &&
                got >= bytesPerSector_) {
                result.outcome = SectorOutcome::Read;
            } else {
                result.code = static_cast<int>(held_.access().LastError());
            }
        }
        const uint64_t offset = uint64_t{s} * bytesPerSector_;
        if (result.outcome == SectorOutcome::Unread) {
            map_.set(s, containers::kBadSector);
            if (container_ && result.raw == RawReadOutcome::DataCrcError) {
                // An ImageDisk file keeps the best data of this run's reads, marked as a data error. An
                // earlier run's best is not a read: counted as one, it would settle a vote too soon.
                const std::vector<uint8_t> best = votes_[s].best();
                if (auto end = writeImage(offset, best)) return end;
                container_->markSector(s, containers::SectorState::DataError);
            } else if (fillWhenUnread && !keepsData(s)) {
                std::fill(sector.begin(), sector.end(), kFiller);
                if (auto end = writeImage(offset, sector)) return end;
                if (container_) container_->markSector(s, containers::SectorState::Unavailable);
            }
        } else {
            if (auto end = writeImage(offset, sector)) return end;
            map_.set(s, containers::kFinished);
        }
        observer_.sectorTried(pass, result);
        return saveMap();
    }

    std::optional<Result> writeImage(uint64_t offset, std::span<const uint8_t> bytes) {
        errno = 0;
        if (image_.writeAt(offset, bytes) != static_cast<int64_t>(bytes.size()))
            return failed(Failure::ImageWrite, errno != 0 ? errno : EIO, request_.imagePath);
        return std::nullopt;
    }

    // The bytes are durable before any map can say they are there.
    std::optional<Result> saveMap() {
        errno = 0;
        if (!(container_ ? container_->saveNow() : image_.syncData()))
            return failed(Failure::ImageWrite, errno != 0 ? errno : EIO, request_.imagePath);
        int code = 0;
        if (!saveSectorMap(request_.mapPath, map_, request_.commandLine, code))
            return failed(Failure::MapFile, code, request_.mapPath);
        return std::nullopt;
    }

    Result stopped() const { return failed(Failure::Stopped); }

    // Whether the image holds a data-error sector's best data (from this run or an earlier one).
    bool keepsData(uint32_t s) const {
        return container_ && container_->image().image.states[s] == containers::SectorState::DataError;
    }

    uint32_t missing() const { return map_.sectors() - map_.count(containers::kFinished); }

    SectorId idOf(uint32_t s) const {
        const uint32_t track = s / geometry_.sectorsPerTrack;
        return {track / geometry_.tracksPerCylinder, track % geometry_.tracksPerCylinder,
                s % geometry_.sectorsPerTrack + 1};
    }

    HeldDrive& held_;
    const DiskGeometry& geometry_;
    std::span<uint8_t> cylinder_;
    platform::RandomAccessFile& image_;
    containers::ContainerFile* container_;
    SectorMap& map_;
    const RescueRequest& request_;
    RescueObserver& observer_;
    const uint32_t bytesPerSector_;
    const uint32_t sectorsPerCylinder_;
    bool rawOffered_ = true;
    std::map<uint32_t, SectorVote> votes_;
    std::vector<SectorId> byVote_;
    uint64_t requests_ = 0;
    uint64_t recalibrations_ = 0;
};

// The driver's per-error console lines off for the run, back on when it ends, on every path. A drive
// that keeps them (not offered, or not allowed) is told to the observer, unless the variant has none.
class QuietDriver {
  public:
    QuietDriver(HeldDrive& held, RescueObserver& observer) : held_(held) {
        quiet_ = held_.access().QuietDriverMessages(held_.handle(), true);
        const uint32_t code = held_.access().LastError();
        if (!quiet_ && code != ERROR_NOT_SUPPORTED) observer.noted(RescueNote::DriverMessagesKept, code);
    }
    ~QuietDriver() {
        // A failure here is told by the close that follows, which tries once more.
        if (quiet_) held_.access().QuietDriverMessages(held_.handle(), false);
    }
    QuietDriver(const QuietDriver&) = delete;
    QuietDriver& operator=(const QuietDriver&) = delete;

  private:
    HeldDrive& held_;
    bool quiet_ = false;
};

// An empty file is what a run killed before its first sector leaves: it holds nothing to continue.
bool holdsSectors(const std::string& path) {
    const platform::PathInfo info = platform::inspectPath(path);
    return info.exists && info.size > 0;
}

// A rescue writes sectors into its image as they come and resumes from the bytes there: into a raw image,
// or into an ImageDisk file (the one container that keeps a sector's state and best data). Any other
// container, by its name or by the content of the file there, would be written over, so it is refused before
// the drive is touched; converting the rescued image afterwards makes it.
std::optional<Result> refuseContainer(const std::string& path) {
    const containers::ContainerFormat named = containers::formatForName(path);
    if (named != containers::ContainerFormat::Raw && named != containers::ContainerFormat::Imd)
        return failed(Failure::RescueNotRaw, 0, path);
    if (!holdsSectors(path)) return std::nullopt;
    int code = 0;
    auto file = platform::openExclusive(path, platform::Access::ReadOnly, code);
    if (!file) return failed(Failure::ImageFile, code, path);
    const containers::ContainerFormat held = containers::formatOfFile(*file);
    if (!file->close()) return failed(Failure::ImageFile, errno, path);
    return held == named ? std::nullopt : std::optional<Result>(failed(Failure::RescueNotRaw, 0, path));
}

// The image to continue, or a new one; either way of the medium's size (and an ImageDisk file of its
// geometry). held: whether the file there holds sectors of an earlier run.
std::optional<Result> openImage(const std::string& path, const DiskGeometry& geometry, uint64_t mediumBytes,
                                bool held, ImageTarget& image) {
    int code = 0;
    if (!held) {
        image = createTarget(path, geometry, code);
        if (!image.file) return failed(Failure::ImageFile, code, path);
        if (!image.container && !image.file->setSize(mediumBytes))
            return failed(Failure::ImageFile, errno, path);
        return std::nullopt;
    }
    if (containers::formatForName(path) == containers::ContainerFormat::Imd) {
        image.file = containers::openImage(path, platform::Access::ReadWrite, code);
        if (!image.file) return failed(Failure::ImageFile, code, path);
        image.container = dynamic_cast<containers::ContainerFile*>(image.file.get());
        if (!image.container || image.container->image().format != containers::ContainerFormat::Imd)
            return failed(Failure::RescueNotRaw, 0, path);
        if (image.container->readOnly()) return failed(Failure::ImageFile, EACCES, path);
        const containers::SectorGeometry wanted{static_cast<uint32_t>(geometry.cylinders),
                                                geometry.tracksPerCylinder, geometry.sectorsPerTrack,
                                                geometry.bytesPerSector};
        if (image.container->image().image.geometry != wanted)
            return failed(Failure::ImageSizeDiffers, 0, path);
        return std::nullopt;
    }
    image.file = platform::openExclusive(path, platform::Access::ReadWrite, code);
    if (!image.file) return failed(Failure::ImageFile, code, path);
    const auto size = image.file->size();
    if (!size || *size > mediumBytes) return failed(Failure::ImageSizeDiffers, 0, path);
    if (*size < mediumBytes && !image.file->setSize(mediumBytes))
        return failed(Failure::ImageFile, errno, path);
    return std::nullopt;
}

}  // namespace

bool earlierRunThere(const RescueRequest& request) {
    return holdsSectors(request.imagePath) && platform::inspectPath(request.mapPath).exists;
}

void rescueFloppy(const ActionDrive& drive, const RescueRequest& request, RescueObserver& observer) {
    runWithDrive(drive, observer, [&](HeldDrive& held) -> Result {
        if (auto refused = refuseNonFileImage(request.imagePath)) return *refused;
        if (auto refused = refuseNonFileImage(request.mapPath)) return *refused;
        if (auto refused = refuseContainer(request.imagePath)) return *refused;
        if (request.imageOnOpticalDrive) return failed(Failure::ImageOnOpticalDrive);
        if (auto stopped = takeDrive(held, drive, observer)) return *stopped;
        DiskGeometry geometry{};
        if (auto unknown = queryGeometry(held, geometry)) return *unknown;
        // A DMF disk holds 21 sectors a track where the driver saw 18: image them all.
        if (!held.access().FindTrackLayout(held.handle(), geometry) &&
            held.access().LastError() != ERROR_NOT_SUPPORTED)
            observer.noted(RescueNote::TrackLayoutUnknown, held.access().LastError());
        auto buffer = cylinderBuffer(geometry);
        if (!buffer) return failed(Failure::NoBuffer);

        const uint32_t sectors = static_cast<uint32_t>(buffer->bytes().size() / geometry.bytesPerSector) *
                                 static_cast<uint32_t>(geometry.cylinders);
        // A map without its image speaks of bytes that are not there: every sector is read again.
        const bool imageHeld = holdsSectors(request.imagePath);
        if (request.resume && !imageHeld && platform::inspectPath(request.mapPath).exists)
            observer.noted(RescueNote::MapWithoutImage, 0);
        MapLoad load = request.resume && imageHeld
                           ? loadSectorMap(request.mapPath, sectors, geometry.bytesPerSector)
                           : MapLoad{};
        if (load.failed) {
            Result result = failed(Failure::MapFile, load.code, request.mapPath);
            result.detail = load.error;
            return result;
        }
        SectorMap map = load.map ? std::move(*load.map) : SectorMap(sectors, geometry.bytesPerSector);

        // Hundreds of provoked failures would each leave a line in the kernel's log; quiet while we run.
        QuietDriver quiet(held, observer);
        observer.started(Phase::Reading, geometry);
        ImageTarget image;
        if (auto refusal = openImage(request.imagePath, geometry, uint64_t{sectors} * geometry.bytesPerSector,
                                     imageHeld, image))
            return *refusal;
        // Held by us now, so a replacement half done is one a killed run left behind.
        containers::removeLeftoverTemporaries(request.imagePath);
        containers::removeLeftoverTemporaries(request.mapPath);
        RescueRun rescue(held, geometry, buffer->bytes(), image, map, request, observer);
        Result result = rescue.run();
        if (!image.file->close() && result.failure == Failure::None) {
            result = failed(Failure::ImageWrite, errno, request.imagePath);
        }
        observer.rescued(rescue.summary());
        return result;
    });
}

}  // namespace converter::actions
