// Runs inside the test machine: drives its floppy drives through LinuxFloppy on the running kernel and prints
// one "RESULT" line per command for the host to check. The host compares the data itself (image files,
// digests).
//
//   floppy_probe list
//   floppy_probe media  a:
//   floppy_probe geometry a:            the geometry query alone, as the converter's drive list asks it
//   floppy_probe read   a: OUT          whole medium, cylinder by cylinder, then cylinder 1 sector by sector
//   floppy_probe raw    a: OUT          whole medium, sector by sector through the controller's raw commands
//                                       (plain reads where the kernel has none), with the headers READ ID
//                                       finds on track 0, a recalibration and the driver's messages quieted
//                                       and given back
//   floppy_probe write  a: IN [blind]   blind: no media check first, so the driver itself must refuse
//   floppy_probe format a: TYPE FS      FS: an image whose first cylinder is laid down after the format
//   floppy_probe wait   a: SECONDS      asks for a medium until one is there, as the converter does
//   floppy_probe pattern OUT BYTES SEED (on the host) sectors that each say where they belong
// ORVA_PROBE_USB="PATH..." adds disks as USB floppies lettered u:, v:, ... (the test machine's USB disks are
// not floppies by their interface class, so discovery rightly leaves them out).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "floppy_access.h"
#include "linux/floppy_discovery.h"
#include "linux/linux_floppy.h"
#include "media_types.h"

namespace {

using converter::FloppyAccess;
using converter::FloppyHandle;
using converter::linux_floppy::LinuxFloppy;

struct Outcome {
    bool ok = true;
    uint32_t error = 0;
    std::string facts;

    // Records the first failure only: later steps are not attempted after it.
    bool step(bool succeeded, FloppyAccess& access, const char* what) {
        if (succeeded) return true;
        ok = false;
        error = access.LastError();
        facts += std::string(" failed=") + what;
        return false;
    }
    void fact(const std::string& key, const std::string& value) { facts += " " + key + "=" + value; }
};

class CountingProgress final : public converter::ProgressPort {
  public:
    void SetRange(uint32_t, uint32_t upper) override { upper_ = upper; }
    void SetStep(uint32_t) override {}
    void SetPos(uint32_t) override {}
    void StepIt() override { ++steps_; }
    uint32_t steps() const { return steps_; }
    uint32_t upper() const { return upper_; }

  private:
    uint32_t steps_ = 0;
    uint32_t upper_ = 0;
};

uint32_t cylinderBytes(const DiskGeometry& g) {
    return g.tracksPerCylinder * g.sectorsPerTrack * g.bytesPerSector;
}

std::string geometryText(const DiskGeometry& g) {
    return std::to_string(g.mediaType) + "/" + std::to_string(g.cylinders) + "/" +
           std::to_string(g.tracksPerCylinder) + "/" + std::to_string(g.sectorsPerTrack) + "/" +
           std::to_string(g.bytesPerSector);
}

std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

bool readAt(FloppyAccess& access, FloppyHandle handle, uint32_t offset, std::span<uint8_t> into) {
    uint32_t done = 0;
    return access.SetDrivePosition(handle, offset) &&
           access.ReadSectors(handle, into, done, 0, converter::ByteOffset{offset}, 512) &&
           done == into.size();
}

bool writeAt(FloppyAccess& access, FloppyHandle handle, uint32_t offset, std::span<const uint8_t> from) {
    uint32_t done = 0;
    return access.SetDrivePosition(handle, offset) &&
           access.WriteSectors(handle, from, done, converter::ByteOffset{offset}, 0, 512) &&
           done == from.size();
}

void media(FloppyAccess& access, FloppyHandle handle, Outcome& out) {
    if (!out.step(access.CheckMedia(handle), access, "check")) return;
    DiskGeometry g{};
    if (!out.step(access.QueryGeometry(handle, 1, g), access, "geometry")) return;
    out.fact("geometry", geometryText(g));
    const int count = access.QueryMediaTypes(handle);
    std::string list;
    for (const DiskGeometry& type : access.MediaTypes())
        list += (list.empty() ? "" : ",") + std::to_string(type.mediaType);
    out.fact("types", count > 0 ? list : "none");
}

void geometry(FloppyAccess& access, FloppyHandle handle, Outcome& out) {
    DiskGeometry g{};
    if (out.step(access.QueryGeometry(handle, 1, g), access, "geometry"))
        out.fact("geometry", geometryText(g));
}

// Locked, checked and measured, as a read takes a drive; false when a step failed (the outcome says which).
bool takeMedium(FloppyAccess& access, FloppyHandle handle, DiskGeometry& g, Outcome& out) {
    if (!out.step(access.LockDrive(handle, 1), access, "lock") ||
        !out.step(access.CheckMedia(handle), access, "check") ||
        !out.step(access.QueryGeometry(handle, 1, g), access, "geometry"))
        return false;
    out.fact("geometry", geometryText(g));
    return true;
}

void read(FloppyAccess& access, FloppyHandle handle, const std::string& path, Outcome& out) {
    DiskGeometry g{};
    if (!takeMedium(access, handle, g, out)) return;
    const uint32_t cylinder = cylinderBytes(g);
    std::vector<uint8_t> image(cylinder * static_cast<size_t>(g.cylinders));
    for (uint32_t c = 0; c < g.cylinders; ++c) {
        if (!out.step(readAt(access, handle, c * cylinder, std::span(image).subspan(c * cylinder, cylinder)),
                      access, "read"))
            return;
    }
    // The converter re-reads a failed cylinder one sector at a time; those reads must give the same bytes.
    std::vector<uint8_t> sector(g.bytesPerSector);
    bool same = true;
    for (uint32_t at = cylinder; at < 2 * cylinder; at += g.bytesPerSector) {
        if (!out.step(readAt(access, handle, at, sector), access, "sector")) return;
        same = same && std::memcmp(sector.data(), image.data() + at, sector.size()) == 0;
    }
    out.fact("sectors", same ? "same" : "differ");
    out.step(access.UnlockDrive(handle, 1), access, "unlock");
    if (!writeFile(path, image)) out.fact("saved", "no");
}

void raw(LinuxFloppy& access, FloppyHandle handle, const std::string& path, Outcome& out) {
    DiskGeometry g{};
    if (!takeMedium(access, handle, g, out)) return;
    if (!out.step(access.QuietDriverMessages(handle, true), access, "quiet")) return;
    std::vector<uint8_t> image(cylinderBytes(g) * static_cast<size_t>(g.cylinders));
    // A kernel built without FDRAWCMD offers no raw path; the sectors are then read the plain way, as a
    // rescue does.
    std::vector<uint8_t> probe(g.bytesPerSector);
    const bool offered = access.ReadSectorRaw(handle, {0, 0, 1}, probe).outcome != converter::RawReadOutcome::NotOffered;
    out.fact("path", offered ? "raw" : "plain");
    const auto onTrack = access.SectorsOnTrack(handle, 0, 0);
    out.fact("ontrack", onTrack ? std::to_string(*onTrack) : "none");
    uint32_t good = 0;
    for (uint32_t c = 0; c < g.cylinders; ++c) {
        for (uint32_t h = 0; h < g.tracksPerCylinder; ++h) {
            for (uint32_t s = 1; s <= g.sectorsPerTrack; ++s) {
                const uint32_t at =
                    ((c * g.tracksPerCylinder + h) * g.sectorsPerTrack + s - 1) * g.bytesPerSector;
                const auto sector = std::span(image).subspan(at, g.bytesPerSector);
                const bool read = offered ? access.ReadSectorRaw(handle, {c, h, s}, sector).outcome ==
                                                converter::RawReadOutcome::Good
                                          : readAt(access, handle, at, sector);
                if (read) ++good;
            }
        }
        // Halfway, the head goes to track 0 and back, as between two rounds of a rescue.
        if (offered && c == g.cylinders / 2 && !out.step(access.Recalibrate(handle), access, "recalibrate")) return;
    }
    out.fact("good", std::to_string(good));
    if (!out.step(access.QuietDriverMessages(handle, false), access, "loud") ||
        !out.step(access.UnlockDrive(handle, 1), access, "unlock"))
        return;
    if (!writeFile(path, image)) out.fact("saved", "no");
}

void write(FloppyAccess& access, FloppyHandle handle, const std::string& path, bool blind, Outcome& out) {
    const std::vector<uint8_t> image = readFile(path);
    DiskGeometry g{80, converter::F3_1Pt44_512, 2, 18, 512};
    if (!out.step(access.LockDrive(handle, 1), access, "lock")) return;
    if (!blind && (!out.step(access.CheckMedia(handle), access, "check") ||
                   !out.step(access.QueryGeometry(handle, 1, g), access, "geometry")))
        return;
    if (!blind) out.fact("geometry", geometryText(g));
    const uint32_t cylinder = cylinderBytes(g);
    if (image.size() != cylinder * static_cast<size_t>(g.cylinders)) {
        out.fact("size", "mismatch");
        out.ok = false;
        return;
    }
    for (uint32_t c = 0; c < g.cylinders; ++c) {
        if (!out.step(writeAt(access, handle, c * cylinder, std::span(image).subspan(c * cylinder, cylinder)),
                      access, "write"))
            return;
    }
    if (out.step(access.DismountDrive(handle), access, "dismount"))
        out.step(access.UnlockDrive(handle, 1), access, "unlock");
}

void format(FloppyAccess& access, FloppyHandle handle, int type, const std::string& fsPath, Outcome& out) {
    if (!out.step(access.LockDrive(handle, 1), access, "lock") ||
        !out.step(access.CheckMedia(handle), access, "check"))
        return;
    access.QueryMediaTypes(handle);
    const DiskGeometry* target = nullptr;
    for (const DiskGeometry& g : access.MediaTypes())
        if (g.mediaType == type) target = &g;
    if (target == nullptr) {
        out.fact("type", "unsupported");
        out.ok = false;
        return;
    }
    CountingProgress progress;
    const bool formatted = access.FormatAllCylinders(handle, *target, progress);
    out.fact("steps", std::to_string(progress.steps()) + "/" + std::to_string(progress.upper()));
    if (!out.step(formatted, access, "format")) return;
    // The whole empty file system lies in the first cylinder.
    const std::vector<uint8_t> fs = readFile(fsPath);
    const uint32_t cylinder = cylinderBytes(*target);
    if (fs.size() < cylinder) {
        out.fact("fs", "short");
        out.ok = false;
        return;
    }
    if (!out.step(writeAt(access, handle, 0, std::span(fs).first(cylinder)), access, "write") ||
        !out.step(access.DismountDrive(handle), access, "dismount"))
        return;
    out.step(access.UnlockDrive(handle, 1), access, "unlock");
}

void wait(FloppyAccess& access, FloppyHandle handle, const std::string& drive, int seconds, Outcome& out) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    int tries = 1;
    bool present = access.CheckMedia(handle);
    if (!present) {
        std::printf("RESULT waiting %s error=%u\n", drive.c_str(), access.LastError());
        std::fflush(stdout);
    }
    while (!present && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        present = access.CheckMedia(handle);
        ++tries;
    }
    out.fact("tries", tries > 1 ? "several" : "one");
    if (!out.step(present, access, "check")) return;
    DiskGeometry g{};
    if (out.step(access.QueryGeometry(handle, 1, g), access, "geometry"))
        out.fact("geometry", geometryText(g));
}

// Every sector names its number and the seed, then carries bytes no other sector or seed repeats, so a
// sector read from or written to the wrong place shows.
bool pattern(const std::string& path, size_t bytes, uint32_t seed) {
    std::vector<uint8_t> image(bytes);
    uint32_t state = seed * 2654435761u + 1;
    for (size_t sector = 0; sector * 512 < bytes; ++sector) {
        uint8_t* at = image.data() + sector * 512;
        for (size_t i = 0; i < 512 && sector * 512 + i < bytes; ++i) {
            state = state * 1664525u + 1013904223u;
            at[i] = static_cast<uint8_t>(state >> 24);
        }
        if (sector * 512 + 16 <= bytes)
            std::snprintf(reinterpret_cast<char*>(at), 16, "S%05zu seed%03u", sector, seed % 1000);
    }
    return writeFile(path, image);
}

int usage() {
    std::fputs(
        "usage: floppy_probe list | media D | geometry D | read D OUT | raw D OUT | write D IN [blind] | format D TYPE "
        "FS |\n"
        "       wait D SECONDS | pattern OUT BYTES SEED\n",
        stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return usage();
    if (args[0] == "pattern" && args.size() == 4)
        return pattern(args[1], std::stoul(args[2]), static_cast<uint32_t>(std::stoul(args[3]))) ? 0 : 1;
    auto drives = converter::linux_floppy::findFloppyDrives("/");
    if (const char* usb = std::getenv("ORVA_PROBE_USB")) {
        std::istringstream paths(usb);
        char letter = 'u';
        for (std::string path; paths >> path; ++letter)
            drives.push_back(
                {std::string(1, letter) + ":", path, converter::linux_floppy::DriveBackEnd::UsbFloppy});
    }
    if (args[0] == "list") {
        std::string text;
        for (const auto& d : drives) text += " " + d.letter + d.path;
        std::printf("RESULT list%s\n", text.c_str());
        return 0;
    }
    if (args.size() < 2) return usage();
    converter::linux_floppy::RealSysCalls sys;
    LinuxFloppy access(sys, drives);
    Outcome out;
    const FloppyHandle handle = access.OpenDrive(args[1]);
    if (!out.step(handle != converter::INVALID_HANDLE_VALUE, access, "open")) {
    } else {
        converter::OpenedDrive opened(access, handle);
        if (args[0] == "media") {
            media(access, handle, out);
        } else if (args[0] == "geometry") {
            geometry(access, handle, out);
        } else if (args[0] == "read" && args.size() == 3) {
            read(access, handle, args[2], out);
        } else if (args[0] == "raw" && args.size() == 3) {
            raw(access, handle, args[2], out);
        } else if (args[0] == "write" && (args.size() == 3 || args.size() == 4)) {
            write(access, handle, args[2], args.size() == 4 && args[3] == "blind", out);
        } else if (args[0] == "wait" && args.size() == 3) {
            wait(access, handle, args[1], std::stoi(args[2]), out);
        } else if (args[0] == "format" && args.size() == 4) {
            format(access, handle, std::stoi(args[2]), args[3], out);
        } else {
            return usage();
        }
    }
    // Every path must have closed what it opened.
    std::printf("RESULT %s %s ok=%d error=%u open=%zu%s\n", args[0].c_str(), args[1].c_str(), out.ok ? 1 : 0,
                out.error, access.openCount(), out.facts.c_str());
    return 0;
}
