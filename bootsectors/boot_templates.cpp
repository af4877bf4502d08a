#include "bootsectors/boot_templates.h"

#include <algorithm>

#include "boot_sector.h"

namespace bootsectors {
namespace {

namespace boot = orva::boot;

// Where the BIOS loads a boot sector; the code addresses its message through it.
constexpr uint32_t kLoadAddress = 0x7C00;

// Shown when someone boots from one of our floppies: print the message, wait for a key, let the BIOS try the
// next boot device. The two NOPs make both jumps of the table (EB 3C and EB 3E) land in the code.
constexpr std::array<uint8_t, 36> kBootCode{
    0x90, 0x90,        // nop; nop
    0xFA,              // cli
    0x31, 0xC0,        // xor ax, ax
    0x8E, 0xD8,        // mov ds, ax
    0x8E, 0xD0,        // mov ss, ax
    0xBC, 0x00, 0x7C,  // mov sp, 7C00h
    0xFB,              // sti
    0xBE, 0x62, 0x7C,  // mov si, message
    0xAC,              // next: lodsb
    0x84, 0xC0,        // test al, al
    0x74, 0x09,        // jz wait
    0xB4, 0x0E,        // mov ah, 0Eh      ; teletype output
    0xBB, 0x07, 0x00,  // mov bx, 7
    0xCD, 0x10,        // int 10h
    0xEB, 0xF2,        // jmp next
    0x31, 0xC0,        // wait: xor ax, ax
    0xCD, 0x16,        // int 16h          ; read a key
    0xCD, 0x19,        // int 19h          ; reboot
};
constexpr size_t kMessageOperand = 14;  // the immediate of "mov si, message"
constexpr std::string_view kMessage =
    "\r\nNon-system disk or disk error\r\nReplace and press any key when ready\r\n";
constexpr size_t kMessageOffset = boot::bootCode.offset + kBootCode.size();

static_assert(kLoadAddress + kMessageOffset ==
                  (kBootCode[kMessageOperand] | uint32_t{kBootCode[kMessageOperand + 1]} << 8),
              "the code must address the message where it is stored");
static_assert(kMessageOffset + kMessage.size() + 1 <= boot::bootCode.end(), "the message and its 0 must fit");

constexpr void store(Sector& s, boot::Field f, uint32_t value) {
    for (size_t i = 0; i < f.width; ++i) s[f.offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

constexpr void storeText(Sector& s, boot::Field f, std::string_view text) {
    for (size_t i = 0; i < f.width; ++i)
        s[f.offset + i] = i < text.size() ? static_cast<uint8_t>(text[i]) : ' ';
}

constexpr Sector buildSector(const TemplateParams& p) {
    Sector s{};
    std::copy(p.jump.begin(), p.jump.end(), s.begin() + boot::jump.offset);
    storeText(s, boot::oemName, p.oemName);
    store(s, boot::bytesPerSector, p.bytesPerSector);
    store(s, boot::sectorsPerCluster, p.sectorsPerCluster);
    store(s, boot::reservedSectors, p.reservedSectors);
    store(s, boot::fatCount, p.fatCount);
    store(s, boot::rootEntries, p.rootEntries);
    store(s, boot::totalSectors, p.totalSectors);
    store(s, boot::mediaByte, p.mediaByte);
    store(s, boot::sectorsPerFat, p.sectorsPerFat);
    store(s, boot::sectorsPerTrack, p.sectorsPerTrack);
    store(s, boot::heads, p.heads);
    store(s, boot::hiddenSectors, p.hiddenSectors);
    store(s, boot::largeSectors, p.largeSectors);
    store(s, boot::driveNumber, p.driveNumber);
    store(s, boot::extendedSignature, p.extendedSignature);
    store(s, boot::serialNumber, p.serialNumber);
    storeText(s, boot::volumeLabel, p.volumeLabel);
    storeText(s, boot::fileSystemType, p.fileSystemType);
    std::copy(kBootCode.begin(), kBootCode.end(), s.begin() + boot::bootCode.offset);
    std::copy(kMessage.begin(), kMessage.end(), s.begin() + kMessageOffset);  // its 0 is already there
    store(s, boot::signature, 0xAA55);
    return s;
}

// A text longer than its field would be cut silently by the builder.
constexpr bool textsFit() {
    return std::all_of(kTemplateTable.begin(), kTemplateTable.end(), [](const TemplateParams& p) {
        return p.oemName.size() == boot::oemName.width && p.volumeLabel.size() == boot::volumeLabel.width &&
               p.fileSystemType.size() == boot::fileSystemType.width;
    });
}
static_assert(textsFit());

constexpr std::array<Sector, kTemplateTable.size()> kSectors = [] {
    std::array<Sector, kTemplateTable.size()> out{};
    for (size_t i = 0; i < kTemplateTable.size(); ++i) out[i] = buildSector(kTemplateTable[i]);
    return out;
}();

constexpr std::optional<size_t> indexOf(TemplateId templateId) {
    for (size_t i = 0; i < kTemplateTable.size(); ++i) {
        if (kTemplateTable[i].id == templateId) return i;
    }
    return std::nullopt;
}

constexpr char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::optional<TemplateParams> templateParams(TemplateId templateId) {
    const auto i = indexOf(templateId);
    if (!i) return std::nullopt;
    return kTemplateTable[*i];
}

std::optional<Sector> bootTemplate(TemplateId templateId) {
    const auto i = indexOf(templateId);
    if (!i) return std::nullopt;
    return kSectors[*i];
}

std::optional<TemplateId> templateIdForType(std::string_view typeName) {
    for (const TemplateParams& p : kTemplateTable) {
        if (std::ranges::equal(p.typeName, typeName, {}, lowerAscii, lowerAscii)) return p.id;
    }
    return std::nullopt;
}

}  // namespace bootsectors
