#include "diagnostic_text.h"

#include <cstdio>

#include "boot_sector.h"
#include "win9x/device_params.h"

namespace converter {

namespace boot = orva::boot;
using win9x::DEVICEPARAMS;

std::string diagnosticText(std::span<const uint8_t> deviceParams, std::span<const uint8_t> bootSector) {
    if (deviceParams.size() < DEVICEPARAMS::dpBpbMediaDescriptor.end() ||
        bootSector.size() < boot::volumeLabel.end()) {
        return {};
    }
    auto param = [&](Field f) { return static_cast<int>(orva::loadLe(deviceParams, f.offset, f.width)); };
    auto bootField = [&](boot::Field f) { return static_cast<int>(boot::get(bootSector, f)); };

    // "%11.11s": at most 11 bytes, ending early at a zero byte, padded on the left to 11.
    std::string label;
    for (size_t i = 0; i < boot::volumeLabel.width; ++i) {
        const char c = static_cast<char>(bootSector[boot::volumeLabel.offset + i]);
        if (c == '\0') break;
        label += c;
    }
    label.insert(0, boot::volumeLabel.width - label.size(), ' ');

    char numbers[256];
    std::snprintf(numbers, sizeof numbers,
                  "W95-devTyp: %d\nW95-medTyp: %d\nW95-bMed: %d\nW95-Cyls: %d\nBoot-typ: %d\nBoot-B/S: %d\n"
                  "Boot-S/T: %d\nBoot-T/C: %d\nBoot-VOL: ",
                  param(DEVICEPARAMS::dpDevType), param(DEVICEPARAMS::dpMediaType),
                  param(DEVICEPARAMS::dpBpbMediaDescriptor), param(DEVICEPARAMS::dpCylinders),
                  bootField(boot::mediaByte), bootField(boot::bytesPerSector),
                  bootField(boot::sectorsPerTrack), bootField(boot::heads));
    return numbers + label;
}

}  // namespace converter
