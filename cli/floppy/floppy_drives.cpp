#include "floppy/floppy_drives.h"

#include "linux/floppy_discovery.h"
#include "messages.h"

namespace cli {

std::optional<FloppyDrives> setUpDrives(const std::vector<std::string>& emulate) {
    FloppyDrives drives;
    if (emulate.empty()) {
        drives.setup = converter::realDrives();
        // Discovery is cheap and names the drives in the same order as the setup does.
        for (const auto& device : converter::linux_floppy::findFloppyDrives()) {
            const bool usb = device.backEnd == converter::linux_floppy::DriveBackEnd::UsbFloppy;
            drives.devices[device.letter] = device.path + (usb ? " (USB)" : "");
        }
    } else {
        drives.setup = converter::emulatedDrives(emulate, "");
        for (const auto& entry : drives.setup.entries) drives.devices[entry.letter] = "emulated";
    }
    if (!drives.setup.error.empty()) {
        printError(drives.setup.error);
        return std::nullopt;
    }
    return drives;
}

std::optional<std::string> driveLetter(const std::string& typed) {
    if (typed.empty() || typed.size() > 2 || (typed.size() == 2 && typed[1] != ':')) return std::nullopt;
    char letter = typed[0];
    if (letter >= 'A' && letter <= 'Z') letter = static_cast<char>(letter - 'A' + 'a');
    if (letter < 'a' || letter > 'z') return std::nullopt;
    return std::string(1, letter) + ":";
}

int driveNumber(const std::string& letter) {
    return letter.at(0) - 'a' + 1;
}

}  // namespace cli
