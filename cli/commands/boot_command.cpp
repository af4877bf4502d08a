// orva boot: saves an image's boot sector to a host file, or puts one from a host file into the image.
#include <algorithm>
#include <array>
#include <memory>
#include <string>

#include "boot_sector.h"
#include "commands/commands.h"
#include "image_session.h"
#include "messages.h"
#include "orva.h"
#include "platform/host_errors.h"
#include "platform/host_file.h"

namespace cli {
namespace {

constexpr int32_t kSectorBytes = 512;
namespace boot = orva::boot;
using Sector = std::array<uint8_t, kSectorBytes>;

struct BootArgs {
    std::string image;
    std::string saveTo;
    std::string loadFrom;
};

int saveBoot(const BootArgs& args, const GlobalOptions& global) {
    ImageSession session(args.image, global);
    if (!session.isOpen()) return kExitFailure;
    Sector boot{};
    DiskGeometry geometry{};
    if (const int32_t r = GetFDType(&geometry, boot.data(), kSectorBytes); r != result::GetFDType::kRead) {
        printError(args.image + ": cannot read the boot sector (GetFDType result " + std::to_string(r) + ")");
        return kExitFailure;
    }
    int error = 0;
    const auto file = platform::createExclusive(args.saveTo, error);
    if (!file) {
        printError(args.saveTo + ": cannot create the file: " + platform::errorText(error));
        return kExitFailure;
    }
    const bool written = file->writeAt(0, boot) == kSectorBytes;
    if (!file->close() || !written) {
        printError(args.saveTo + ": writing the boot sector failed");
        return kExitFailure;
    }
    return kExitOk;
}

int loadBoot(const BootArgs& args, const GlobalOptions& global) {
    Sector boot{};
    {
        int error = 0;
        const auto file = platform::openExclusive(args.loadFrom, platform::Access::ReadOnly, error);
        if (!file) {
            printError(args.loadFrom + ": cannot open the file: " + platform::errorText(error));
            return kExitFailure;
        }
        // Anything but one sector is not a saved boot sector, and a wrong guess would make the disk
        // unbootable.
        const auto size = file->size();
        if (!size || *size != kSectorBytes) {
            printError(args.loadFrom + ": is " + (size ? std::to_string(*size) : std::string("of unknown")) +
                       " bytes long; a boot sector file holds exactly 512");
            return kExitFailure;
        }
        if (file->readAt(0, boot) != kSectorBytes) {
            printError(args.loadFrom + ": reading the file failed");
            return kExitFailure;
        }
        file->close();
    }
    ImageSession session(args.image, global);
    if (!session.isOpen() || !session.checkWritable()) return kExitFailure;
    // The library takes the label copy from the new sector; the disk keeps its own name instead, so that it
    // still agrees with the label in the root folder.
    Sector own{};
    DiskGeometry geometry{};
    if (GetFDType(&geometry, own.data(), kSectorBytes) == result::GetFDType::kRead &&
        own[boot::extendedSignature.offset] == boot::kExtendedSignatureValue) {
        std::copy_n(own.begin() + boot::volumeLabel.offset, boot::volumeLabel.width,
                    boot.begin() + boot::volumeLabel.offset);
    }
    if (const int32_t r = WriteBoot(boot.data()); r != result::WriteBoot::kWritten) {
        printError(args.image + ": " + withCode(bootResultText(r), "WriteBoot", r));
        return kExitFailure;
    }
    return kExitOk;
}

Runner configureBoot(CLI::App* sub, const GlobalOptions& global) {
    auto args = std::make_shared<BootArgs>();
    sub->add_option("IMAGE", args->image, "Image file")->required();
    CLI::Option_group* action = sub->add_option_group("Action", "exactly one of");
    action->add_option("--save", args->saveTo, "Write the 512-byte boot sector to FILE.BOT")
        ->type_name("FILE.BOT");
    action
        ->add_option("--load", args->loadFrom,
                     "Put the boot sector from FILE.BOT (exactly 512 bytes) into the image; the image keeps "
                     "its own disk parameters and label")
        ->type_name("FILE.BOT");
    action->require_option(1);
    return
        [args, &global] { return args->saveTo.empty() ? loadBoot(*args, global) : saveBoot(*args, global); };
}

}  // namespace

constinit const CommandSpec kBootCommand{"boot",
                                         "Save an image's boot sector to a file, or load one into the image "
                                         "(its disk parameters and label stay)",
                                         configureBoot};

}  // namespace cli
