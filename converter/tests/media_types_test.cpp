#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <string>
#include <vector>

#include "bootsectors/boot_templates.h"
#include "diagnostic_text.h"
#include "geometry_derivation.h"
#include "geometry_list.h"
#include "media_types.h"

namespace {

using namespace converter;

struct LabelRow {
    int32_t type;
    int id;
    std::string label;
};

TEST(MediaTypes, EveryNumberHasItsLabel) {
    const std::vector<LabelRow> rows{
        {0, 121, "Unknown"},
        {1, 111, "5.25 1.2MB  512 BpS"},
        {2, 112, "3.5  1.44MB 512 BpS"},
        {3, 113, "3.5  2.88MB 512 BpS"},
        {4, 114, "3.5  20.8MB 512 BpS"},
        {5, 115, "3.5  720KB  512 BpS"},
        {6, 116, "5.25 360KB  512 BpS"},
        {7, 117, "5.25 320KB  512 BpS"},
        {8, 118, "5.25 320KB  1024 BpS"},
        {9, 119, "5.25 180KB  512 BpS"},
        {10, 120, "5.25 160KB  512 BpS"},
        {11, 121, "Unknown"},  // a removable hard disk
        {12, 121, "Unknown"},
        {13, 121, "Unknown"},
        {-1, 121, "Unknown"},
        {INT32_MIN, 121, "Unknown"},
        {INT32_MAX, 121, "Unknown"},
    };
    for (const LabelRow& r : rows) {
        SCOPED_TRACE(r.type);
        EXPECT_EQ(mediaTypeLabelId(r.type), r.id);
        EXPECT_EQ(MediaTypeLabel(r.type), r.label);
    }
}

// Checked against the boot templates, which were written down separately from our table.
TEST(MediaTypes, BuiltTypesCarryTheirWholeGeometry) {
    struct Row {
        int32_t type;
        bootsectors::TemplateId templateId;
        uint32_t cylinders, cylinderBytes, imageBytes;
    };
    const std::vector<Row> rows{
        {1, bootsectors::TemplateId::Disk1200K, 80, 15360, 1228800},
        {2, bootsectors::TemplateId::Disk1440K, 80, 18432, 1474560},
        {5, bootsectors::TemplateId::Disk720K, 80, 9216, 737280},
        {6, bootsectors::TemplateId::Disk360K, 40, 9216, 368640},
    };
    ASSERT_EQ(builtGeometries().size(), rows.size());
    for (const Row& r : rows) {
        SCOPED_TRACE(r.type);
        const auto g = builtGeometry(r.type);
        const auto t = bootsectors::templateParams(r.templateId);
        ASSERT_TRUE(g && t);
        EXPECT_EQ(g->cylinders, r.cylinders);
        EXPECT_EQ(g->tracksPerCylinder, t->heads);
        EXPECT_EQ(g->sectorsPerTrack, t->sectorsPerTrack);
        EXPECT_EQ(g->bytesPerSector, t->bytesPerSector);
        EXPECT_EQ(cylinderBytes(*g), r.cylinderBytes);
        EXPECT_EQ(imageBytes(*g), r.imageBytes);
        EXPECT_EQ(imageBytes(*g), uint32_t{t->totalSectors} * t->bytesPerSector);
    }
    for (int32_t other : {0, 3, 4, 7, 8, 9, 10, 11, -1}) EXPECT_FALSE(builtGeometry(other)) << other;
}

TEST(MediaTypes, DeviceParametersGiveTheGeometry) {
    struct Row {
        uint8_t deviceType, mediaByte;
        int32_t type;
        uint32_t cylinders, sectors;  // 0x77 and 99: left as they were
    };
    const std::vector<Row> rows{
        {7, 0xF0, 2, 80, 18},   {9, 0xF0, 2, 80, 18},  // a 2.88 MB drive reports HD floppies as 1.44 MB
        {1, 0xF0, 0, 0x77, 99}, {2, 0xF0, 0, 0x77, 99}, {0, 0xF0, 0, 0x77, 99},
        {1, 0xF9, 1, 80, 15},   {2, 0xF9, 5, 80, 9},    {7, 0xF9, 5, 80, 9},
        {9, 0xF9, 5, 80, 9},    {0, 0xF9, 0, 0x77, 99},  // not type 6
        {0, 0xFD, 6, 40, 9},    {1, 0xFD, 6, 40, 9},     // a 360 KB floppy in a 1.2 MB drive
        {2, 0xFD, 0, 0x77, 99}, {7, 0xFD, 0, 0x77, 99}, {7, 0xF8, 0, 0x77, 99},
        {3, 0xF9, 0, 0x77, 99}, {7, 0x00, 0, 0x77, 99},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message()
                     << "device " << int(r.deviceType) << " media " << std::hex << int(r.mediaByte));
        DiskGeometry g{static_cast<int64_t>(0x1234567800000077), 55, 7, 99, 4096};
        GeometryFromDeviceParams(r.deviceType, r.mediaByte, g);
        EXPECT_EQ(g.mediaType, r.type);
        EXPECT_EQ(g.cylinders, r.cylinders);  // the high half is always cleared
        EXPECT_EQ(g.sectorsPerTrack, r.sectors);
        EXPECT_EQ(g.tracksPerCylinder, 2u);
        EXPECT_EQ(g.bytesPerSector, 512u);
    }
}

TEST(MediaTypes, ImageSizeMustMatchExactly) {
    const DiskGeometry hd = *builtGeometry(F3_1Pt44_512);
    struct Row {
        uint64_t bytes;
        bool matches;
    };
    for (const Row& r : std::vector<Row>{{1474560, true},
                                         {1474561, false},
                                         {1474559, false},
                                         {1474048, false},
                                         {1475072, false},
                                         {0, false},
                                         {1474560 + (1ull << 32), false}}) {
        EXPECT_EQ(imageMatchesGeometry(r.bytes, hd), r.matches) << r.bytes;
    }
    // Only the low half of cylinders counts, and the product wraps as 32-bit arithmetic.
    DiskGeometry high = hd;
    high.cylinders |= int64_t{1} << 32;
    EXPECT_TRUE(imageMatchesGeometry(1474560, high));
    DiskGeometry wraps{0x10000, F3_1Pt44_512, 2, 32, 2048};  // 2^32 bytes
    EXPECT_TRUE(imageMatchesGeometry(0, wraps));
}

TEST(MediaTypes, FormattableLines) {
    for (int32_t type = -1; type <= 12; ++type) {
        DiskGeometry g{80, type, 2, 18, 512};
        const bool expected = type == 1 || type == 2 || type == 5 || type == 6;
        EXPECT_EQ(isFormattableLine(geometryLine(g)), expected) << geometryLine(g);
    }
    EXPECT_FALSE(isFormattableLine("3.5  2.88MB 512 BpS CTS=80/2/36"));
    EXPECT_FALSE(isFormattableLine("5.25 180KB  512 BpS CTS=40/1/9"));
    EXPECT_TRUE(isFormattableLine("Unknown CTS=1.2/0/0"));  // the test looks at the whole line
}

struct RecordingList : ListPort {
    std::vector<std::string> lines;
    void AppendLine(const std::string& line) override { lines.push_back(line); }
};

TEST(MediaTypes, GeometryLines) {
    struct Row {
        DiskGeometry geometry;
        std::string line;
    };
    const std::vector<Row> rows{
        {{80, 2, 2, 18, 512}, "3.5  1.44MB 512 BpS CTS=80/2/18"},
        {{40, 6, 2, 9, 512}, "5.25 360KB  512 BpS CTS=40/2/9"},
        {{80, 3, 2, 36, 512}, "3.5  2.88MB 512 BpS CTS=80/2/36"},
        {{(int64_t{7} << 32) | 80, 11, 2, 18, 512}, "Unknown CTS=80/2/18"},  // low half only
        {{0xFFFFFFFF, 0, 0xFFFFFFFE, 9, 512}, "Unknown CTS=-1/-2/9"},
    };
    for (const Row& r : rows) EXPECT_EQ(geometryLine(r.geometry), r.line);

    RecordingList list;
    ListGeometryLine(true, rows[0].geometry, list);
    ListGeometryLine(false, rows[1].geometry, list);
    EXPECT_EQ(list.lines, (std::vector<std::string>{"Floppy:", rows[0].line, rows[1].line}));
}

TEST(MediaTypes, CylinderBytesNeedAKnownSaneGeometry) {
    struct Row {
        DiskGeometry geometry;
        std::optional<uint32_t> bytes;
    };
    const std::vector<Row> rows{
        {{80, 3, 2, 36, 512}, 36864},
        {{40, 8, 2, 4, 1024}, 8192},
        {{80, 0, 2, 18, 512}, std::nullopt},  // type 0 may carry numbers from before the query
        {{80, 2, 2, 0, 512}, std::nullopt},
        {{80, 2, 0x80000000, 0x80000000, 512}, std::nullopt},  // would wrap to 0 in 32 bits
    };
    for (const Row& r : rows) EXPECT_EQ(cylinderBytes(r.geometry), r.bytes) << geometryLine(r.geometry);
}

TEST(MediaTypes, DiagnosticTextShowsDriveAndBootSector) {
    std::array<uint8_t, 40> params{};
    params[1] = 7;     // device type
    params[4] = 0x50;  // cylinders 0x150: both bytes count
    params[5] = 0x01;
    params[6] = 0;  // media type
    params[17] = 0xF0;
    std::vector<uint8_t> boot(512, 0);
    boot[21] = 0xF9;
    boot[11] = 0x00, boot[12] = 0x02;  // 512
    boot[24] = 0x09, boot[25] = 0x00;
    boot[26] = 0x02, boot[27] = 0x01;  // 258
    const std::string label = "RESCUE DISK";
    std::copy(label.begin(), label.end(), boot.begin() + 43);
    boot[54] = 'X';  // the label ends at 11 bytes

    EXPECT_EQ(diagnosticText(params, boot),
              "W95-devTyp: 7\nW95-medTyp: 0\nW95-bMed: 240\nW95-Cyls: 336\nBoot-typ: 249\nBoot-B/S: 512\n"
              "Boot-S/T: 9\nBoot-T/C: 258\nBoot-VOL: RESCUE DISK");

    // A zero byte ends the label early; the field is still 11 wide.
    boot[47] = 0;
    EXPECT_EQ(diagnosticText(params, boot).substr(diagnosticText(params, boot).rfind(": ") + 2),
              "       RESC");

    EXPECT_EQ(diagnosticText(std::span(params).first(17), boot), "");
    EXPECT_EQ(diagnosticText(params, std::span(boot).first(53)), "");
}

}  // namespace
