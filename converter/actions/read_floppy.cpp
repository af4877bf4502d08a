#include "read_floppy.h"

#include <algorithm>
#include <cerrno>

#include "cylinder_buffer.h"
#include "image_target.h"
#include "platform/containers/open_image.h"
#include "platform/host_file.h"
#include "take_drive.h"

namespace converter::actions {
namespace {

constexpr uint8_t kFiller = 0xEE;

// One read of the whole medium into an open image: where the next request starts and how many cylinders are
// in the image so far.
class FloppyReader {
  public:
    // container: the image when it is one that keeps each sector's state (else null).
    FloppyReader(HeldDrive& held, const DiskGeometry& geometry, std::span<uint8_t> cylinder,
                 platform::RandomAccessFile& image, platform::containers::ContainerFile* container,
                 ActionObserver& observer)
        : held_(held),
          geometry_(geometry),
          cylinder_(cylinder),
          image_(image),
          container_(container),
          observer_(observer),
          bytesPerSector_(geometry.bytesPerSector),
          sectorsPerCylinder_(static_cast<uint32_t>(cylinder.size()) / geometry.bytesPerSector) {}

    // Until the whole medium is in the image: a read that delivers less than a cylinder is followed by one
    // that starts after it, so nothing at the end is left out.
    Result run() {
        const uint64_t mediumSize = uint64_t{static_cast<uint32_t>(geometry_.cylinders)} * cylinder_.size();
        while (offset_ < mediumSize) {
            const auto chunk = cylinder_.first(
                static_cast<size_t>(std::min<uint64_t>(cylinder_.size(), mediumSize - offset_)));
            size_t toWrite = readWhole(chunk);
            if (toWrite == 0) {
                if (sectorPass(chunk) == BadSectorDecision::Stop) return done(Failure::StoppedAtBadSector);
                toWrite = chunk.size();
            }
            if (image_.writeAt(offset_ - toWrite, chunk.first(toWrite)) != static_cast<int64_t>(toWrite))
                return done(Failure::ImageWrite, errno);
            // A container says which sectors hold no data; written first, they would count as read.
            for (const uint64_t index : filled_) {
                if (container_) container_->markSector(index, platform::containers::SectorState::Unavailable);
            }
            filled_.clear();
            for (; cylindersDone_ < offset_ / cylinder_.size(); ++cylindersDone_)
                observer_.cylinderDone(Phase::Reading, cylindersDone_);
        }
        return done(Failure::None);
    }

  private:
    // One request for the chunk: the bytes it delivered, 0 when it failed or delivered nothing.
    size_t readWhole(std::span<uint8_t> chunk) {
        uint32_t got = 0;
        if (!held_.access().ReadSectors(held_.handle(), chunk, got, held_.number(), ByteOffset{position()},
                                        bytesPerSector_) ||
            got == 0)
            return 0;
        const size_t bytes = std::min<size_t>(got, chunk.size());
        offset_ += bytes;
        return bytes;
    }

    // Every sector of the chunk once more, on its own; each that fails is filled and put to the observer.
    BadSectorDecision sectorPass(std::span<uint8_t> chunk) {
        for (size_t i = 0; i * bytesPerSector_ < chunk.size(); ++i) {
            const auto sector = chunk.subspan(i * bytesPerSector_, bytesPerSector_);
            if (!readSector(sector) && observer_.badSector(badSectorHere()) == BadSectorDecision::Stop)
                return BadSectorDecision::Stop;
            offset_ += bytesPerSector_;
        }
        // The next whole read starts after the sectors, good or bad. A move that fails shows as a failed
        // read.
        held_.access().SetDrivePosition(held_.handle(), position());
        return BadSectorDecision::Fill;
    }

    bool readSector(std::span<uint8_t> sector) {
        held_.access().SetDrivePosition(held_.handle(), position());
        uint32_t got = 0;
        if (held_.access().ReadSectors(held_.handle(), sector, got, held_.number(), ByteOffset{position()},
                                       bytesPerSector_) &&
            got >= bytesPerSector_)
            return true;
        code_ = static_cast<int>(held_.access().LastError());
        std::fill(sector.begin(), sector.end(), kFiller);
        filled_.push_back(offset_ / bytesPerSector_);
        return false;
    }

    // Where the sector at the offset lies; a chunk after a short read may start inside a cylinder.
    BadSector badSectorHere() const {
        const uint64_t index = offset_ / bytesPerSector_;
        const uint32_t within = static_cast<uint32_t>(index % sectorsPerCylinder_);
        return {static_cast<uint32_t>(index / sectorsPerCylinder_), within / geometry_.sectorsPerTrack,
                within % geometry_.sectorsPerTrack + 1, code_, offset_};
    }

    uint32_t position() const { return static_cast<uint32_t>(offset_); }

    Result done(Failure failure, int code = 0) const {
        Result result = failed(failure, code);
        result.cylinders = cylindersDone_;
        return result;
    }

    HeldDrive& held_;
    const DiskGeometry& geometry_;
    std::span<uint8_t> cylinder_;
    platform::RandomAccessFile& image_;
    platform::containers::ContainerFile* container_;
    ActionObserver& observer_;
    const uint32_t bytesPerSector_;
    const uint32_t sectorsPerCylinder_;
    uint64_t offset_ = 0;
    uint32_t cylindersDone_ = 0;
    int code_ = 0;                  // of the last sector that failed
    std::vector<uint64_t> filled_;  // sectors of the chunk filled for want of data
};

}  // namespace

void readFloppy(const ActionDrive& drive, const ReadRequest& request, ActionObserver& observer) {
    runWithDrive(drive, observer, [&](HeldDrive& held) -> Result {
        if (auto refused = refuseNonFileImage(request.imagePath)) return *refused;
        if (request.imageOnOpticalDrive) return failed(Failure::ImageOnOpticalDrive);
        if (auto stopped = takeDrive(held, drive, observer)) return *stopped;
        DiskGeometry geometry{};
        if (auto unknown = queryGeometry(held, geometry)) return *unknown;
        auto buffer = cylinderBuffer(geometry);
        if (!buffer) return failed(Failure::NoBuffer);

        observer.started(Phase::Reading, geometry);
        int error = 0;
        const ImageTarget target = createTarget(request.imagePath, geometry, error);
        const auto& image = target.file;
        if (!image) return failed(Failure::ImageFile, error, request.imagePath);
        Result result =
            FloppyReader(held, geometry, buffer->bytes(), *image, target.container, observer).run();
        // A write the system reports only at close fails the image all the same, also after a stop.
        if (!image->close() && result.failure != Failure::ImageWrite) {
            result.failure = Failure::ImageWrite;
            result.code = errno;
        }
        return result;
    });
}

}  // namespace converter::actions
