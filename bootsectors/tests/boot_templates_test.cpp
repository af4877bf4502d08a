#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "boot_sector.h"
#include "bootsectors/boot_templates.h"

namespace {

namespace boot = orva::boot;
using bootsectors::Sector;

std::vector<uint8_t> bytesOf(const Sector& s, boot::Field f) {
    return {s.begin() + f.offset, s.begin() + f.end()};
}
std::vector<uint8_t> textBytes(std::string_view t) {
    return {t.begin(), t.end()};
}

struct Expected {
    bootsectors::TemplateId id;
    std::vector<uint8_t> jump;
    std::string oem;
    uint32_t sectorsPerCluster, rootEntries, totalSectors, media, sectorsPerFat, sectorsPerTrack;
    std::vector<uint8_t> serial;  // as stored, lowest byte first
    std::string label;
};

// One row per template, written down from the format's table rather than from our own.
const std::vector<Expected> kExpected{
    {bootsectors::TemplateId::Disk360K,
     {0xEB, 0x3C, 0x90},
     "MSDOS5.0",
     2,
     112,
     720,
     0xFD,
     2,
     9,
     {0x52, 0x80, 0xC2, 0x9A},
     "NO NAME    "},
    {bootsectors::TemplateId::Disk720K,
     {0xEB, 0x3E, 0x90},
     "(rm1FIHC",
     2,
     112,
     1440,
     0xF9,
     3,
     9,
     {0x1B, 0x23, 0xED, 0x16},
     "RESCUE DISK"},
    {bootsectors::TemplateId::Disk1200K,
     {0xEB, 0x3C, 0x90},
     "Win-2000",
     1,
     224,
     2400,
     0xF9,
     7,
     15,
     {0x07, 0x3C, 0xE3, 0xB8},
     "NO NAME    "},
    {bootsectors::TemplateId::Disk1440K,
     {0xEB, 0x3C, 0x90},
     "Win-2000",
     1,
     224,
     2880,
     0xF0,
     9,
     18,
     {0x46, 0x66, 0x50, 0x60},
     "NO NAME    "},
};

TEST(BootTemplates, EveryParameterFieldHoldsItsValue) {
    for (const Expected& e : kExpected) {
        SCOPED_TRACE("template " + std::to_string(static_cast<int>(e.id)));
        const auto sector = bootsectors::bootTemplate(e.id);
        ASSERT_TRUE(sector);
        const Sector& s = *sector;
        EXPECT_EQ(bytesOf(s, boot::jump), e.jump);
        EXPECT_EQ(bytesOf(s, boot::oemName), textBytes(e.oem));
        EXPECT_EQ(boot::get(s, boot::bytesPerSector), 512u);
        EXPECT_EQ(boot::get(s, boot::sectorsPerCluster), e.sectorsPerCluster);
        EXPECT_EQ(boot::get(s, boot::reservedSectors), 1u);
        EXPECT_EQ(boot::get(s, boot::fatCount), 2u);
        EXPECT_EQ(boot::get(s, boot::rootEntries), e.rootEntries);
        EXPECT_EQ(boot::get(s, boot::totalSectors), e.totalSectors);
        EXPECT_EQ(boot::get(s, boot::mediaByte), e.media);
        EXPECT_EQ(boot::get(s, boot::sectorsPerFat), e.sectorsPerFat);
        EXPECT_EQ(boot::get(s, boot::sectorsPerTrack), e.sectorsPerTrack);
        EXPECT_EQ(boot::get(s, boot::heads), 2u);
        EXPECT_EQ(boot::get(s, boot::hiddenSectors), 0u);
        EXPECT_EQ(boot::get(s, boot::largeSectors), 0u);
        EXPECT_EQ(boot::get(s, boot::driveNumber), 0u);
        EXPECT_EQ(boot::get(s, boot::reservedByte), 0u);
        EXPECT_EQ(boot::get(s, boot::extendedSignature), 0x29u);
        EXPECT_EQ(bytesOf(s, boot::serialNumber), e.serial);
        EXPECT_EQ(bytesOf(s, boot::volumeLabel), textBytes(e.label));
        EXPECT_EQ(bytesOf(s, boot::fileSystemType), textBytes("FAT12   "));
        EXPECT_EQ(bytesOf(s, boot::signature), (std::vector<uint8_t>{0x55, 0xAA}));

        const auto params = bootsectors::templateParams(e.id);
        ASSERT_TRUE(params);
        EXPECT_EQ(params->id, e.id);
    }
}

TEST(BootTemplates, BootCodePrintsItsMessageFromBothJumpTargets) {
    const std::vector<uint8_t> code{0x90, 0x90, 0xFA, 0x31, 0xC0, 0x8E, 0xD8, 0x8E, 0xD0, 0xBC, 0x00, 0x7C,
                                    0xFB, 0xBE, 0x62, 0x7C, 0xAC, 0x84, 0xC0, 0x74, 0x09, 0xB4, 0x0E, 0xBB,
                                    0x07, 0x00, 0xCD, 0x10, 0xEB, 0xF2, 0x31, 0xC0, 0xCD, 0x16, 0xCD, 0x19};
    const std::string message =
        "\r\nNon-system disk or disk error\r\nReplace and press any key when ready\r\n";
    for (const Expected& e : kExpected) {
        SCOPED_TRACE("template " + std::to_string(static_cast<int>(e.id)));
        const Sector s = *bootsectors::bootTemplate(e.id);
        EXPECT_EQ(std::vector<uint8_t>(s.begin() + 62, s.begin() + 98), code);
        // mov si, 7C62h: the message must sit at offset 0x62 of the loaded sector, ended by a 0.
        EXPECT_EQ(std::string(s.begin() + 0x62, s.begin() + 0x62 + message.size()), message);
        EXPECT_TRUE(std::all_of(s.begin() + 0x62 + message.size(), s.begin() + 510,
                                [](uint8_t b) { return b == 0; }));
        // A short jump counts from the byte after it; it must land on the first byte of an instruction.
        const size_t target = 2 + s[1];
        EXPECT_TRUE(target == 62 || target == 64) << target;
        EXPECT_TRUE(s[target] == 0x90 || s[target] == 0xFA);
    }
}

TEST(BootTemplates, LookupByIdAndTypeName) {
    using Id = bootsectors::TemplateId;
    const std::vector<std::pair<std::string, std::optional<Id>>> names{
        {"360K", Id::Disk360K},
        {"720K", Id::Disk720K},
        {"1.2M", Id::Disk1200K},
        {"1.44M", Id::Disk1440K},
        {"1.44m", Id::Disk1440K},
        {"720k", Id::Disk720K},
        {"", {}},
        {"1.4M", {}},
        {"1.44MB", {}},
        {"2.88M", {}},
    };
    for (const auto& [name, id] : names) EXPECT_EQ(bootsectors::templateIdForType(name), id) << name;
    for (int unknown : {0, 149, 154, -153}) {
        EXPECT_FALSE(bootsectors::bootTemplate(Id{unknown})) << unknown;
        EXPECT_FALSE(bootsectors::templateParams(Id{unknown})) << unknown;
    }
}

}  // namespace
