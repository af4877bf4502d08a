// orva info: what the boot sector and the library say about an image.
#include <array>
#include <cstdio>
#include <memory>
#include <string>

#include "boot_sector.h"
#include "commands/commands.h"
#include "dir_listing.h"
#include "image_session.h"
#include "messages.h"
#include "orva.h"
#include "platform/text_codec.h"

namespace cli {
namespace {

constexpr int32_t kBootBytes = 62;
namespace boot = orva::boot;

std::string trimmed(std::string s) {
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

std::string rootLabel(const ImageSession& session) {
    for (const EntryView& e : listDirectory(session, rootItem())) {
        if (!e.isLabel()) continue;
        const std::string raw(e.shortName.begin(), e.shortName.end());
        return "\"" + platform::codePageToUtf8(trimmed(raw), session.options().codePage) + "\"";
    }
    return "(none)";
}

std::string bootLabel(const std::array<uint8_t, kBootBytes>& boot, const std::string& codePage) {
    // Older formats have no label field; what lies there is boot code.
    if (boot[boot::extendedSignature.offset] != boot::kExtendedSignatureValue)
        return "(no extended boot record)";
    const std::string raw(boot.begin() + boot::volumeLabel.offset, boot.begin() + boot::volumeLabel.end());
    return "\"" + platform::codePageToUtf8(trimmed(raw), codePage) + "\"";
}

int runInfo(const std::string& image, const GlobalOptions& global) {
    ImageSession session(image, global, false);
    if (!session.isOpen()) return kExitFailure;

    DiskGeometry geometry{};
    std::array<uint8_t, kBootBytes> boot{};
    if (int32_t r = GetFDType(&geometry, boot.data(), kBootBytes); r != result::GetFDType::kRead) {
        printError(image + ": cannot read the media description (GetFDType result " + std::to_string(r) +
                   ")");
        return kExitFailure;
    }
    char mediaByte[8];
    std::snprintf(mediaByte, sizeof mediaByte, "0x%02X", boot[boot::mediaByte.offset]);

    std::printf("Image:             %s\n", image.c_str());
    std::printf("Media:             %s (media byte %s)\n", mediaTypeText(geometry.mediaType).c_str(),
                mediaByte);
    std::printf("Geometry:          %lld cylinders, %u heads, %u sectors per track, %u bytes per sector\n",
                static_cast<long long>(geometry.cylinders), geometry.tracksPerCylinder,
                geometry.sectorsPerTrack, geometry.bytesPerSector);
    std::printf("Volume label:      %s\n", rootLabel(session).c_str());
    std::printf("Boot sector label: %s\n", bootLabel(boot, global.codePage).c_str());
    uint32_t freeBytes = 0;
    if (int32_t r = FreeSpace(&freeBytes); r == result::FreeSpace::kCounted) {
        std::printf("Free space:        %u bytes\n", freeBytes);
    } else {
        std::printf("Free space:        unknown (FreeSpace result %d)\n", r);
    }
    if (session.openResult() != result::OpenFDImg::kOpened) {
        std::printf("Warning:           %s (OpenFDImg result %d)\n",
                    openResultText(session.openResult()).c_str(), session.openResult());
    }
    return kExitOk;
}

Runner configureInfo(CLI::App* sub, const GlobalOptions& global) {
    auto image = std::make_shared<std::string>();
    sub->add_option("IMAGE", *image, "Image file")->required();
    return [image, &global] { return runInfo(*image, global); };
}

}  // namespace

constinit const CommandSpec kInfoCommand{
    "info", "Show an image's geometry, media type, volume label and free space", configureInfo};

}  // namespace cli
