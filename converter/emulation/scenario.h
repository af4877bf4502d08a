#pragma once
// A drive and its medium named in one line of text, for tests and for the converter's command line:
//
//   KIND[:MEDIUM][:OPTION]...
//
//   KIND     the drive: 1.44M (3.5" HD), 720K (3.5" DD), 1.2M (5.25" HD), 360K (5.25" DD), 2.88M (3.5" ED)
//   MEDIUM   none | unformatted | blank (empty sectors of the drive's own format) | blank=FORMAT |
//            an image file, whose size picks the format (a read-only file is a write-protected floppy);
//            left out: blank
//   OPTION   wp                       write-protected
//            bad=C/H/S[@STATUS],...   unreadable sectors, STATUS the BIOS status (default 16, CRC error)
//            locked                   another program holds the volume lock
//            noanswer                 requests never reach the drive
//            short=BYTES              one read delivers at most BYTES bytes
//            types=N | types=F,F,...  what the platform lists as supported: the drive's own list repeated
//                                     to N entries, or the named formats
//            weak=C/H/S/K,...         sectors that fail their first K reads of any kind, then read
//            crc=C/H/S,...            data fields that always fail their CRC (raw reads deliver them noisy)
//            noid=C/H/S,...           sectors whose header is missing
//            raw                      a legacy controller drive that takes raw commands
//            kill=N                   the process is killed at the drive's Nth request
//            interrupt=N              the process gets SIGINT (Ctrl-C) during the drive's Nth request
//            terminate=N              the process gets SIGTERM during the drive's Nth request
//
// Example: 1.44M:image.img:bad=3/1/5:wp
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "emulation/emulated_drive.h"

namespace converter::emulation {

struct BadSector {
    SectorAddress at;
    DriveStatus status;
};

struct WeakSector {
    SectorAddress at;
    uint32_t failures;
};

struct Scenario {
    enum class Medium { None, Unformatted, Blank, ImageFile };

    DriveKind drive = DriveKind::Floppy35HD;
    Medium medium = Medium::Blank;
    int32_t blankType = 0;  // for Blank
    std::string imagePath;  // for ImageFile
    bool writeProtected = false;
    bool lockedElsewhere = false;
    bool noAnswer = false;
    std::optional<uint32_t> shortReadBytes;
    std::vector<BadSector> badSectors;
    std::vector<WeakSector> weakSectors;
    std::vector<SectorAddress> crcSectors;
    std::vector<SectorAddress> missingHeaders;
    bool raw = false;
    std::optional<uint64_t> killAtRequest;
    std::optional<uint64_t> interruptAtRequest;
    std::optional<uint64_t> terminateAtRequest;
    std::optional<size_t> supportedCount;
    std::vector<int32_t> supportedTypes;  // empty: the drive's own list
};

struct ScenarioParse {
    std::optional<Scenario> scenario;
    std::string error;  // why not, when there is no scenario
};

ScenarioParse parseScenario(std::string_view text);

// Builds the drive, opening the image file. Nothing, with a reason, when the file cannot be used.
std::unique_ptr<EmulatedDrive> buildDrive(const Scenario& scenario, std::string& error);

}  // namespace converter::emulation
