// orva convert: an image from one format into another (raw, ImageDisk, zipped raw; TeleDisk and CopyQM are
// read only). A raw result cannot say which sectors were bad: it names them and leaves a ddrescue map.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "commands/commands.h"
#include "damage/map_file.h"
#include "damage/unfinished_bytes.h"
#include "floppy/floppy_action.h"
#include "messages.h"
#include "platform/containers/container_format.h"
#include "platform/containers/open_image.h"
#include "platform/containers/replace_file.h"
#include "platform/containers/rescue_map.h"
#include "platform/path_info.h"

namespace cli {
namespace {

namespace pc = platform::containers;

struct ConvertArgs {
    std::string input;
    std::string output;
    std::string to;
    std::string map;
    bool force = false;
};

// The name of the raw image inside a new zip: the output's own name with the extension WinImage uses.
std::string zipEntryFor(const std::string& output) {
    std::string name = output.substr(output.rfind('/') + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    return name + ".ima";
}

// A rescue's raw image says nothing of the sectors it could not read; its map does. Every sector the map does
// not call finished becomes unavailable, so an ImageDisk output says so and a raw one names it.
bool applyMap(pc::DecodedImage& image, const std::string& mapPath, const std::string& input) {
    std::string error;
    const auto map = damage::readMapFile(mapPath, error);
    if (!map) {
        printError(mapPath + ": cannot read the map: " + error);
        return false;
    }
    pc::SectorImage& sectors = image.image;
    if (sectors.states.empty()) {
        printError(input + ": its geometry is unknown, so the map's sectors cannot be placed");
        return false;
    }
    const uint32_t size = sectors.geometry.bytesPerSector;
    for (size_t i = 0; i < sectors.states.size(); ++i) {
        if (damage::unfinishedBytes(*map, uint64_t{i} * size, size) == 0) continue;
        sectors.states[i] = pc::SectorState::Unavailable;
        const auto bytes = sectors.sector(i);
        std::fill(bytes.begin(), bytes.end(), pc::kMissingSectorFill);
    }
    return true;
}

std::string stateText(pc::SectorState state) {
    return state == pc::SectorState::DataError ? "data error" : "unavailable";
}

bool writeFile(const std::string& path, std::span<const uint8_t> bytes) {
    int error = 0;
    if (pc::replaceFile(path, bytes, error)) return true;
    printError(path + ": cannot be written: " + std::strerror(error));
    return false;
}

// A raw image holds the sectors that had no good data as kMissingSectorFill; the map says which they are.
// An earlier map beside the output is replaced, so it never speaks of sectors that are good now.
bool reportBadSectors(const pc::DecodedImage& image, const std::string& output) {
    const auto bad = pc::badSectors(image.image);
    const std::string map = pc::rescueMapPath(output);
    if (bad.empty() && !platform::inspectPath(map).exists) return true;
    for (const pc::BadSector& s : bad) {
        std::printf("cylinder %u head %u sector %u: %s, filled with 0x%02X\n", s.cylinder, s.head, s.sector,
                    stateText(s.state).c_str(), pc::kMissingSectorFill);
    }
    const std::string text = pc::rescueMapText(image.image, "orva convert");
    return writeFile(map, std::vector<uint8_t>(text.begin(), text.end()));
}

int runConvert(const ConvertArgs& args) {
    pc::ContainerFormat target = pc::formatForName(args.output);
    if (!args.to.empty()) {
        const auto named = pc::formatNamed(args.to);
        if (!named) {
            printError("unknown format " + args.to + "; one of raw, imd, imz");
            return kExitUsage;
        }
        target = *named;
    }
    if (!pc::isWritable(target)) {
        printError(std::string(pc::formatName(target)) +
                   " images can be read but not written; convert to raw, imd "
                   "or imz");
        return kExitUsage;
    }
    if (platform::inspectPath(args.output).exists && !args.force) {
        printError(args.output + ": already exists; use --force to replace it");
        return kExitFailure;
    }
    pc::DecodedImage image;
    int error = 0;
    if (const pc::ContainerError e = pc::loadImage(args.input, image, error); e != pc::ContainerError::None) {
        const std::string why = e == pc::ContainerError::CannotRead ? std::string(std::strerror(error))
                                                                    : pc::containerErrorText(e);
        printError(args.input + ": cannot be read as " + std::string(pc::formatName(image.format)) + ": " +
                   why);
        return kExitFailure;
    }
    if (!args.map.empty() && !applyMap(image, args.map, args.input)) return kExitFailure;
    std::vector<uint8_t> bytes;
    const pc::EncodeOptions options{pc::imdHeaderLineNow(), zipEntryFor(args.output)};
    if (const pc::ContainerError e = pc::encodeImage(image, target, options, bytes);
        e != pc::ContainerError::None) {
        printError(args.input + ": cannot be written as " + std::string(pc::formatName(target)) + ": " +
                   pc::containerErrorText(e));
        return kExitFailure;
    }
    if (!writeFile(args.output, bytes)) return kExitFailure;
    // An ImageDisk file keeps each sector's state; a raw one, zipped or not, cannot.
    if (target == pc::ContainerFormat::Imd) return kExitOk;
    if (!reportBadSectors(image, args.output)) return kExitFailure;
    return pc::badSectors(image.image).empty() ? kExitOk : kExitFilledSectors;
}

Runner configureConvert(CLI::App* sub, const GlobalOptions&) {
    auto args = std::make_shared<ConvertArgs>();
    sub->add_option("--to", args->to, "Output format: raw, imd or imz (default: from OUTPUT's extension)");
    sub->add_flag("-f,--force", args->force, "Replace an existing output file");
    sub->add_option("--map", args->map,
                    "A GNU ddrescue map of INPUT (as orva rescue leaves it): sectors it does not call finished "
                    "become unavailable");
    sub->add_option("INPUT", args->input, "The image to read, of any of the formats (told by content)")
        ->required();
    sub->add_option("OUTPUT", args->output, "The image to write")->required();
    sub->footer(
        "Sectors that the input marks as bad (data error or unavailable) are kept as such in an .imd output. "
        "A raw "
        "or .imz output fills them with 0xEE, names them, writes OUTPUT.map (a GNU ddrescue map with them as "
        "bad "
        "sectors) and exits with 3.");
    return [args] { return runConvert(*args); };
}

}  // namespace

constinit const CommandSpec kConvertCommand{
    "convert",
    "Convert an image between raw, ImageDisk (.imd), TeleDisk (.td0), CopyQM (.cqm) and zipped (.imz)",
    configureConvert};

}  // namespace cli
