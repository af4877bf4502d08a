#include "linux/media_tables.h"

#include <vector>

#include "media_types.h"

namespace converter::linux_floppy {

namespace {

struct Triple {
    uint32_t track, head, sect;
    int32_t type;
};

constexpr Triple kTriples[] = {
    {80, 2, 18, F3_1Pt44_512}, {80, 2, 15, F5_1Pt2_512}, {80, 2, 9, F3_720_512}, {40, 2, 9, F5_360_512},
    {80, 2, 36, F3_2Pt88_512}, {40, 2, 8, F5_320_512},   {40, 1, 9, F5_180_512}, {40, 1, 8, F5_160_512},
};

DiskGeometry make(int64_t cylinders, int32_t type, uint32_t heads, uint32_t sectors, uint32_t bytes = 512) {
    return {cylinders, type, heads, sectors, bytes};
}

}  // namespace

DiskGeometry geometryFromParams(const FloppyParams& params) {
    int32_t type = Unknown;
    for (const Triple& t : kTriples) {
        if (t.track == params.track && t.head == params.head && t.sect == params.sect) type = t.type;
    }
    // Only 512-byte sectors make the platform's types; anything else is a format we only describe.
    if (params.sectorBytes() != 512) type = Unknown;
    return make(params.track, type, params.head, params.sect, params.sectorBytes());
}

std::vector<DiskGeometry> geometriesForCmos(int cmos) {
    const DiskGeometry hd35 = *builtGeometry(F3_1Pt44_512);
    const DiskGeometry dd35 = *builtGeometry(F3_720_512);
    const DiskGeometry hd525 = *builtGeometry(F5_1Pt2_512);
    const DiskGeometry dd525 = *builtGeometry(F5_360_512);
    switch (cmos) {
        case 1: return {dd525};
        case 2: return {hd525, dd525};
        case 3: return {dd35};
        case 4: return {hd35, dd35};
        case 5:
        case 6: return {make(80, F3_2Pt88_512, 2, 36), hd35, dd35};
        default: return {};
    }
}

std::optional<FloppyParams> formatParamsFor(int32_t mediaType, int cmos) {
    const bool drive35 = cmos >= 3 && cmos <= 6;
    switch (mediaType) {
        case F3_1Pt44_512:
            if (cmos == 4 || cmos == 5 || cmos == 6) return FloppyParams{2880, 18, 2, 80, 0, 0x1B, 0x00, 0xCF, 0x6C};
            break;
        case F3_720_512:
            if (drive35) return FloppyParams{1440, 9, 2, 80, 0, 0x2A, 0x02, 0xDF, 0x50};
            break;
        case F5_1Pt2_512:
            if (cmos == 2) return FloppyParams{2400, 15, 2, 80, 0, 0x1B, 0x00, 0xDF, 0x54};
            break;
        case F5_360_512:
            // An HD drive steps twice per cylinder and slows to 300 kbit/s for the 40-track medium.
            if (cmos == 2) return FloppyParams{720, 9, 2, 40, 1, 0x23, 0x01, 0xDF, 0x50};
            if (cmos == 1) return FloppyParams{720, 9, 2, 40, 0, 0x2A, 0x02, 0xDF, 0x50};
            break;
        default: break;
    }
    return std::nullopt;
}

std::optional<DiskGeometry> geometryFromCapacity(uint32_t blocks, uint32_t blockBytes) {
    // The built-in floppies, 2.88 MB, and the Japanese 1.23 MB format, which has no type of its own here.
    std::vector<DiskGeometry> known(builtGeometries().begin(), builtGeometries().end());
    known.push_back(make(80, F3_2Pt88_512, 2, 36));
    known.push_back(make(77, Unknown, 2, 8, 1024));
    for (const DiskGeometry& g : known) {
        if (mediumSectors(g) == blocks && g.bytesPerSector == blockBytes) return g;
    }
    return std::nullopt;
}

}  // namespace converter::linux_floppy
