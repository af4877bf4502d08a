#pragma once
// The name a drive opens by as a device: "A:" gives \\.\A:.
#include <string>
#include <string_view>

namespace converter::winnt {

inline std::string deviceNameForDrive(std::string_view driveText) {
    return "\\\\.\\" + std::string(driveText);
}

}  // namespace converter::winnt
