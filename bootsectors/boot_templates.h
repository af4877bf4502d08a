#pragma once
// The four built-in boot sectors new floppies start from, and the parameters they are built from.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace bootsectors {

using Sector = std::array<uint8_t, 512>;

// The templates' resource numbers in Kelvorn.
enum class TemplateId : int { Disk360K = 150, Disk720K = 151, Disk1200K = 152, Disk1440K = 153 };

// Every boot parameter field of a template, in on-disk order; texts are stored blank-padded as written here.
struct TemplateParams {
    TemplateId id;
    std::string_view typeName;  // how the command line names the type
    std::array<uint8_t, 3> jump;
    std::string_view oemName;
    uint16_t bytesPerSector;
    uint8_t sectorsPerCluster;
    uint16_t reservedSectors;
    uint8_t fatCount;
    uint16_t rootEntries;
    uint16_t totalSectors;
    uint8_t mediaByte;
    uint16_t sectorsPerFat;
    uint16_t sectorsPerTrack;
    uint16_t heads;
    uint32_t hiddenSectors;
    uint32_t largeSectors;
    uint8_t driveNumber;
    uint8_t extendedSignature;
    uint32_t serialNumber;  // kept as is in every new image, never regenerated
    std::string_view volumeLabel;
    std::string_view fileSystemType;
};

// clang-format off
inline constexpr std::array<TemplateParams, 4> kTemplateTable{{
    {TemplateId::Disk360K,  "360K",  {0xEB, 0x3C, 0x90}, "MSDOS5.0", 512, 2, 1, 2, 112,  720, 0xFD, 2,  9, 2, 0, 0, 0,
     0x29, 0x9AC28052, "NO NAME    ", "FAT12   "},
    {TemplateId::Disk720K,  "720K",  {0xEB, 0x3E, 0x90}, "(rm1FIHC", 512, 2, 1, 2, 112, 1440, 0xF9, 3,  9, 2, 0, 0, 0,
     0x29, 0x16ED231B, "RESCUE DISK", "FAT12   "},
    {TemplateId::Disk1200K, "1.2M",  {0xEB, 0x3C, 0x90}, "Win-2000", 512, 1, 1, 2, 224, 2400, 0xF9, 7, 15, 2, 0, 0, 0,
     0x29, 0xB8E33C07, "NO NAME    ", "FAT12   "},
    {TemplateId::Disk1440K, "1.44M", {0xEB, 0x3C, 0x90}, "Win-2000", 512, 1, 1, 2, 224, 2880, 0xF0, 9, 18, 2, 0, 0, 0,
     0x29, 0x60506646, "NO NAME    ", "FAT12   "},
}};
// clang-format on

std::optional<TemplateParams> templateParams(TemplateId templateId);
// The complete 512-byte sector: the fields above, our boot code and the 55 AA signature.
std::optional<Sector> bootTemplate(TemplateId templateId);
// "360K", "720K", "1.2M" or "1.44M", in any letter case.
std::optional<TemplateId> templateIdForType(std::string_view typeName);

}  // namespace bootsectors
