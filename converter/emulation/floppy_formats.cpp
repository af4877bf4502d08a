#include "emulation/floppy_formats.h"

#include <array>
#include <cctype>

#include "media_types.h"
#include "text_compare.h"

namespace converter::emulation {
namespace {

// clang-format off
constexpr std::array<FloppyFormat, 9> kFormats{{
    {"1.2M",      {80, F5_1Pt2_512,  2, 15, 512},  0xF9, 1, 224, 7},
    {"1.44M",     {80, F3_1Pt44_512, 2, 18, 512},  0xF0, 1, 224, 9},
    {"2.88M",     {80, F3_2Pt88_512, 2, 36, 512},  0xF0, 2, 240, 9},
    {"720K",      {80, F3_720_512,   2, 9,  512},  0xF9, 2, 112, 3},
    {"360K",      {40, F5_360_512,   2, 9,  512},  0xFD, 2, 112, 2},
    {"320K",      {40, F5_320_512,   2, 8,  512},  0xFF, 2, 112, 1},
    {"320K-1024", {40, F5_320_1024,  2, 4,  1024}, 0xFF, 1, 112, 1},
    {"180K",      {40, F5_180_512,   1, 9,  512},  0xFC, 1, 64,  2},
    {"160K",      {40, F5_160_512,   1, 8,  512},  0xFE, 1, 64,  1},
}};
// clang-format on

constexpr std::array<int32_t, 5> kTypes525DD{F5_360_512, F5_320_512, F5_320_1024, F5_180_512, F5_160_512};
constexpr std::array<int32_t, 6> kTypes525HD{F5_1Pt2_512, F5_360_512, F5_320_512,
                                             F5_320_1024, F5_180_512, F5_160_512};
constexpr std::array<int32_t, 1> kTypes35DD{F3_720_512};
constexpr std::array<int32_t, 2> kTypes35HD{F3_1Pt44_512, F3_720_512};
constexpr std::array<int32_t, 3> kTypes35ED{F3_2Pt88_512, F3_1Pt44_512, F3_720_512};

const std::array<DriveKindInfo, 5> kDrives{{
    {DriveKind::Floppy525DD, "360K", 0, 40, kTypes525DD},
    {DriveKind::Floppy525HD, "1.2M", 1, 80, kTypes525HD},
    {DriveKind::Floppy35DD, "720K", 2, 80, kTypes35DD},
    {DriveKind::Floppy35HD, "1.44M", 7, 80, kTypes35HD},
    {DriveKind::Floppy35ED, "2.88M", 9, 80, kTypes35ED},
}};


}  // namespace

std::span<const FloppyFormat> floppyFormats() {
    return kFormats;
}

const FloppyFormat* formatForType(int32_t mediaType) {
    for (const FloppyFormat& f : kFormats) {
        if (f.geometry.mediaType == mediaType) return &f;
    }
    return nullptr;
}

const FloppyFormat* formatNamed(std::string_view name) {
    for (const FloppyFormat& f : kFormats) {
        if (sameTextIgnoringCase(f.name, name)) return &f;
    }
    return nullptr;
}

const DriveKindInfo& driveKindInfo(DriveKind kind) {
    for (const DriveKindInfo& d : kDrives) {
        if (d.kind == kind) return d;
    }
    return kDrives[3];
}

std::optional<DriveKind> driveKindNamed(std::string_view name) {
    for (const DriveKindInfo& d : kDrives) {
        if (sameTextIgnoringCase(d.name, name)) return d.kind;
    }
    return std::nullopt;
}

}  // namespace converter::emulation
