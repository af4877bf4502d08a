#include "emulation/scenario.h"

#include <algorithm>
#include <charconv>
#include <csignal>

#include "emulation/memory_file.h"
#include "media_types.h"
#include "platform/host_errors.h"
#include "platform/host_file.h"
#include "platform/path_info.h"

namespace converter::emulation {
namespace {

// Enough to go past what the platform's list can hold.
constexpr uint32_t kMostSupportedTypes = 64;

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(
            text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

std::optional<uint32_t> number(std::string_view text) {
    uint32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

// "C/H/S" or "C/H/S@STATUS".
std::optional<BadSector> badSector(std::string_view text) {
    uint32_t status = static_cast<uint32_t>(DriveStatus::CrcError);
    if (const size_t at = text.find('@'); at != std::string_view::npos) {
        const auto s = number(text.substr(at + 1));
        if (!s || *s == 0 || *s > 0xFF) return std::nullopt;
        status = *s;
        text = text.substr(0, at);
    }
    const auto parts = split(text, '/');
    if (parts.size() != 3) return std::nullopt;
    const auto c = number(parts[0]), h = number(parts[1]), s = number(parts[2]);
    if (!c || !h || !s || *s == 0) return std::nullopt;
    return BadSector{{*c, *h, *s}, static_cast<DriveStatus>(status)};
}

// "C/H/S", or "C/H/S/K" when a count is wanted.
std::optional<std::pair<SectorAddress, uint32_t>> address(std::string_view text, bool withCount) {
    const auto parts = split(text, '/');
    if (parts.size() != (withCount ? 4u : 3u)) return std::nullopt;
    const auto c = number(parts[0]), h = number(parts[1]), s = number(parts[2]);
    const auto k = withCount ? number(parts[3]) : std::optional<uint32_t>(0);
    if (!c || !h || !s || *s == 0 || !k) return std::nullopt;
    return std::pair{SectorAddress{*c, *h, *s}, *k};
}

bool isOption(std::string_view field) {
    const std::string_view word = field.substr(0, field.find('='));
    return word == "wp" || word == "locked" || word == "noanswer" || word == "bad" || word == "short" ||
           word == "types" || word == "weak" || word == "crc" || word == "noid" || word == "raw" ||
           word == "kill" || word == "interrupt" || word == "terminate";
}

// Returns an error text, empty when the option was taken.
std::string applyOption(std::string_view field, Scenario& s) {
    const size_t eq = field.find('=');
    const std::string_view word = field.substr(0, eq);
    const std::string_view value = eq == std::string_view::npos ? std::string_view{} : field.substr(eq + 1);
    const bool hasValue = eq != std::string_view::npos;
    if (word == "wp" && !hasValue) {
        s.writeProtected = true;
    } else if (word == "locked" && !hasValue) {
        s.lockedElsewhere = true;
    } else if (word == "noanswer" && !hasValue) {
        s.noAnswer = true;
    } else if (word == "bad" && hasValue) {
        for (std::string_view one : split(value, ',')) {
            const auto bad = badSector(one);
            if (!bad) return "bad sector not understood: " + std::string(one);
            s.badSectors.push_back(*bad);
        }
    } else if ((word == "weak" || word == "crc" || word == "noid") && hasValue) {
        for (std::string_view one : split(value, ',')) {
            const auto at = address(one, word == "weak");
            if (!at) return std::string(word) + " sector not understood: " + std::string(one);
            if (word == "weak") s.weakSectors.push_back({at->first, at->second});
            if (word == "crc") s.crcSectors.push_back(at->first);
            if (word == "noid") s.missingHeaders.push_back(at->first);
        }
    } else if (word == "raw" && !hasValue) {
        s.raw = true;
    } else if ((word == "kill" || word == "interrupt" || word == "terminate") && hasValue) {
        const auto request = number(value);
        if (!request || *request == 0)
            return std::string(word) + " request not understood: " + std::string(value);
        (word == "kill"        ? s.killAtRequest
         : word == "interrupt" ? s.interruptAtRequest
                               : s.terminateAtRequest) = *request;
    } else if (word == "short" && hasValue) {
        const auto bytes = number(value);
        if (!bytes) return "short read not understood: " + std::string(value);
        s.shortReadBytes = *bytes;
    } else if (word == "types" && hasValue) {
        if (const auto count = number(value)) {
            if (*count > kMostSupportedTypes) return "too many types: " + std::string(value);
            s.supportedCount = *count;
        } else {
            for (std::string_view name : split(value, ',')) {
                const FloppyFormat* format = formatNamed(name);
                if (!format) return "unknown format: " + std::string(name);
                s.supportedTypes.push_back(format->geometry.mediaType);
            }
        }
    } else {
        return "unknown option: " + std::string(field);
    }
    return {};
}

bool driveTakes(DriveKind kind, int32_t mediaType) {
    const auto types = driveKindInfo(kind).mediaTypes;
    return std::find(types.begin(), types.end(), mediaType) != types.end();
}

}  // namespace

ScenarioParse parseScenario(std::string_view text) {
    const auto fields = split(text, ':');
    Scenario s;
    const auto kind = driveKindNamed(fields[0]);
    if (!kind) return {std::nullopt, "unknown drive: " + std::string(fields[0])};
    s.drive = *kind;
    s.blankType = driveKindInfo(s.drive).mediaTypes.front();

    size_t next = 1;
    if (fields.size() > 1 && !isOption(fields[1])) {
        const std::string_view medium = fields[1];
        next = 2;
        if (medium == "none") {
            s.medium = Scenario::Medium::None;
        } else if (medium == "unformatted") {
            s.medium = Scenario::Medium::Unformatted;
        } else if (medium == "blank") {
            s.medium = Scenario::Medium::Blank;
        } else if (medium.starts_with("blank=")) {
            const FloppyFormat* format = formatNamed(medium.substr(6));
            if (!format) return {std::nullopt, "unknown format: " + std::string(medium.substr(6))};
            if (!driveTakes(s.drive, format->geometry.mediaType)) {
                return {std::nullopt, "the drive cannot take " + std::string(format->name)};
            }
            s.blankType = format->geometry.mediaType;
        } else if (medium.empty()) {
            return {std::nullopt, "empty medium"};
        } else {
            s.medium = Scenario::Medium::ImageFile;
            s.imagePath = std::string(medium);
        }
    }
    for (size_t i = next; i < fields.size(); ++i) {
        if (std::string error = applyOption(fields[i], s); !error.empty()) return {std::nullopt, error};
    }
    return {s, {}};
}

std::unique_ptr<EmulatedDrive> buildDrive(const Scenario& s, std::string& error) {
    auto drive = std::make_unique<EmulatedDrive>(s.drive);
    switch (s.medium) {
        case Scenario::Medium::None:
            break;
        case Scenario::Medium::Unformatted:
            drive->insertUnformatted();
            break;
        case Scenario::Medium::Blank: {
            const DiskGeometry& g = formatForType(s.blankType)->geometry;
            const size_t bytes = mediumBytes(g);
            drive->insert(
                g, std::make_unique<MemoryFile>(std::vector<uint8_t>(bytes, EmulatedDrive::kFormatFiller)));
            break;
        }
        case Scenario::Medium::ImageFile: {
            // A read-only image is a floppy with its tab open, for root too.
            const bool readOnly = platform::inspectPath(s.imagePath).writeProtected;
            int code = 0;
            auto file = platform::openExclusive(
                s.imagePath, readOnly ? platform::Access::ReadOnly : platform::Access::ReadWrite, code);
            if (!file) {
                error = "cannot open " + s.imagePath + ": " + platform::errorText(code);
                return nullptr;
            }
            const auto size = file->size();
            const FloppyFormat* format = nullptr;
            for (const FloppyFormat& f : floppyFormats()) {
                const DiskGeometry& g = f.geometry;
                if (size == mediumBytes(g) && driveTakes(s.drive, g.mediaType)) {
                    format = &f;
                    break;
                }
            }
            if (!format) {
                error = s.imagePath + ": its size is no floppy format this drive takes";
                return nullptr;
            }
            drive->insert(format->geometry, std::move(file));
            drive->setWriteProtected(readOnly);
            break;
        }
    }

    if (s.writeProtected) drive->setWriteProtected(true);
    drive->setLockedElsewhere(s.lockedElsewhere);
    drive->setNoAnswer(s.noAnswer);
    drive->setShortReadBytes(s.shortReadBytes);
    for (const BadSector& bad : s.badSectors) drive->addBadSector(bad.at, bad.status);
    for (const WeakSector& weak : s.weakSectors) drive->addWeakSector(weak.at, weak.failures);
    for (const SectorAddress& at : s.crcSectors) drive->addCrcSector(at);
    for (const SectorAddress& at : s.missingHeaders) drive->addMissingHeader(at);
    drive->setRaw(s.raw);
    for (const auto& [request, signal] :
         {std::pair{s.killAtRequest, SIGKILL}, std::pair{s.interruptAtRequest, SIGINT},
          std::pair{s.terminateAtRequest, SIGTERM}}) {
        if (request) drive->addSignalAtRequest(signal, *request);
    }

    std::vector<DiskGeometry> types;
    for (int32_t type : s.supportedTypes) types.push_back(formatForType(type)->geometry);
    if (types.empty()) types.assign(drive->supportedTypes().begin(), drive->supportedTypes().end());
    if (s.supportedCount) {
        std::vector<DiskGeometry> repeated;
        for (size_t i = 0; i < *s.supportedCount; ++i) repeated.push_back(types[i % types.size()]);
        types = std::move(repeated);
    }
    drive->setSupportedTypes(std::move(types));
    return drive;
}

}  // namespace converter::emulation
