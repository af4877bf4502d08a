#include "drive_setup.h"

#include <cctype>

#include "emulation/emulated_nt_device.h"
#include "emulation/emulated_vwin32.h"
#include "emulation/scenario.h"
#include "image_floppy.h"
#include "linux/floppy_discovery.h"
#include "linux/linux_floppy.h"
#include "linux/sys_call_seam.h"
#include "win9x/win9x_floppy.h"
#include "winnt/nt_floppy.h"

namespace converter {

DriveSetup realDrives() {
    DriveSetup setup;
    auto sys = std::make_shared<linux_floppy::RealSysCalls>();
    const auto devices = linux_floppy::findFloppyDrives();
    auto access = std::make_shared<linux_floppy::LinuxFloppy>(*sys, devices);
    for (const auto& device : devices) setup.entries.push_back({device.letter, access.get()});
    setup.owned = {sys, access};
    return setup;
}

DriveSetup emulatedDrives(const std::vector<std::string>& emulate, const std::string& platformLine) {
    DriveSetup setup;
    if (platformLine != "" && platformLine != "nt" && platformLine != "9x") {
        setup.error = "--platform takes 9x or nt, not \"" + platformLine + "\"";
        return setup;
    }
    setup.osKind = platformLine == "9x" ? OsKind::Win9x : OsKind::Nt;
    for (const std::string& value : emulate) {
        const size_t equals = value.find('=');
        const char letter =
            equals == 1 ? static_cast<char>(std::tolower(static_cast<unsigned char>(value[0]))) : 0;
        if (letter < 'a' || letter > 'z') {
            setup.error = "--emulate takes LETTER=SCENARIO, not \"" + value + "\"";
            return setup;
        }
        const auto parsed = emulation::parseScenario(value.substr(2));
        if (!parsed.scenario) {
            setup.error = "drive " + std::string(1, letter) + ": " + parsed.error;
            return setup;
        }
        std::string error;
        std::shared_ptr<emulation::EmulatedDrive> drive = emulation::buildDrive(*parsed.scenario, error);
        if (!drive) {
            setup.error = "drive " + std::string(1, letter) + ": " + error;
            return setup;
        }
        const std::string driveText = std::string(1, static_cast<char>(std::toupper(letter))) + ":";
        std::shared_ptr<FloppyAccess> access;
        if (platformLine == "nt") {
            auto device = std::make_shared<emulation::EmulatedNtDevice>(*drive, driveText);
            access = std::make_shared<winnt::NtFloppy>(*device);
            setup.owned.push_back(device);
        } else if (platformLine == "9x") {
            auto device = std::make_shared<emulation::EmulatedVwin32>(*drive, letter - 'a' + 1);
            access = std::make_shared<win9x::Win9xFloppy>(*device);
            setup.owned.push_back(device);
        } else {
            access = std::make_shared<ImageFloppy>(*drive, driveText);
        }
        setup.owned.push_back(drive);
        setup.owned.push_back(access);
        setup.entries.push_back({std::string(1, letter) + ":", access.get()});
    }
    return setup;
}

}  // namespace converter
