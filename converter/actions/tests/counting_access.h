#pragma once
// Passes every request to another FloppyAccess and keeps a record of the requests in order and of the
// transfers' sizes, so tests can count device requests and see how a drive was given back.
#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "floppy_access.h"

namespace converter::actions::testing {

class CountingAccess final : public FloppyAccess {
  public:
    explicit CountingAccess(FloppyAccess& inner) : inner_(inner) {}

    std::vector<uint32_t> reads, writes;  // bytes asked for, request by request
    int formats = 0;
    std::vector<std::string> calls;  // "open", "lock", ... in the order made

    // The calls that give a drive back, in order: "dismount", "unlock", "close".
    std::vector<std::string> releases() const {
        std::vector<std::string> out;
        std::copy_if(calls.begin(), calls.end(), std::back_inserter(out),
                     [](const std::string& c) { return c == "dismount" || c == "unlock" || c == "close"; });
        return out;
    }

    FloppyHandle OpenDrive(std::string_view driveText) override {
        return keep("open", inner_.OpenDrive(driveText));
    }
    bool CloseDrive(FloppyHandle h) override { return keep("close", inner_.CloseDrive(h)); }
    bool QueryGeometry(FloppyHandle h, int drive, DiskGeometry& g) override {
        return keep("geometry", inner_.QueryGeometry(h, drive, g));
    }
    int QueryMediaTypes(FloppyHandle h) override {
        const int count = inner_.QueryMediaTypes(h);
        const auto types = inner_.MediaTypes();
        std::copy(types.begin(), types.end(), mediaTypes_.begin());
        mediaTypeCount_ = types.size();
        return keep("types", count);
    }
    bool LockDrive(FloppyHandle h, int drive) override { return keep("lock", inner_.LockDrive(h, drive)); }
    bool UnlockDrive(FloppyHandle h, int drive) override {
        return keep("unlock", inner_.UnlockDrive(h, drive));
    }
    bool CheckMedia(FloppyHandle h) override { return keep("check", inner_.CheckMedia(h)); }
    bool DismountDrive(FloppyHandle h) override { return keep("dismount", inner_.DismountDrive(h)); }
    bool ReadSectors(FloppyHandle h, std::span<uint8_t> buffer, uint32_t& done, int drive, ByteOffset offset,
                     uint32_t bps) override {
        reads.push_back(static_cast<uint32_t>(buffer.size()));
        return keep("read", inner_.ReadSectors(h, buffer, done, drive, offset, bps));
    }
    bool WriteSectors(FloppyHandle h, std::span<const uint8_t> buffer, uint32_t& done, ByteOffset offset,
                      int drive, uint32_t bps) override {
        writes.push_back(static_cast<uint32_t>(buffer.size()));
        return keep("write", inner_.WriteSectors(h, buffer, done, offset, drive, bps));
    }
    bool SetDrivePosition(FloppyHandle h, uint32_t offset) override {
        return keep("position", inner_.SetDrivePosition(h, offset));
    }
    bool FormatAllCylinders(FloppyHandle h, const DiskGeometry& g, ProgressPort& progress) override {
        ++formats;
        return keep("format", inner_.FormatAllCylinders(h, g, progress));
    }
    int DiagnoseDrive(FloppyHandle h, int drive, DiskGeometry& g, std::string& text, int selector) override {
        return keep("diagnose", inner_.DiagnoseDrive(h, drive, g, text, selector));
    }

    // The rescue's own requests reach the drive too.
    RawSectorRead ReadSectorRaw(FloppyHandle h, const SectorId& id, std::span<uint8_t> out) override {
        calls.emplace_back("raw");
        const RawSectorRead result = inner_.ReadSectorRaw(h, id, out);
        lastError_ = inner_.LastError();
        return result;
    }
    bool Recalibrate(FloppyHandle h) override { return keep("recalibrate", inner_.Recalibrate(h)); }
    bool FindTrackLayout(FloppyHandle h, DiskGeometry& g) override {
        return keep("layout", inner_.FindTrackLayout(h, g));
    }
    bool QuietDriverMessages(FloppyHandle h, bool quiet) override {
        return keep("quiet", inner_.QuietDriverMessages(h, quiet));
    }

  private:
    template <typename T>
    T keep(const char* call, T result) {
        calls.emplace_back(call);
        lastError_ = inner_.LastError();
        return result;
    }
    FloppyAccess& inner_;
};

}  // namespace converter::actions::testing
