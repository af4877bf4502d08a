// ImageDisk files built by hand: every kind of sector record, the geometries of the PC floppies, comments
// with odd bytes, damaged files; and that what we write reads back the same.
#include <gtest/gtest.h>

#include "imd_builder.h"
#include "platform/containers/imd_codec.h"

namespace {

using namespace platform::containers;
using containers_test::buildImd;
using containers_test::ImdTrack;
using containers_test::plainTrack;
using containers_test::sectorPattern;

const std::string kHeader = "IMD 1.18: 01/02/2003 04:05:06\r\n";

std::vector<ImdTrack> wholeDisk(uint8_t mode, uint8_t cylinders, uint8_t heads, uint8_t sectors) {
    std::vector<ImdTrack> tracks;
    for (uint8_t c = 0; c < cylinders; ++c) {
        for (uint8_t h = 0; h < heads; ++h) tracks.push_back(plainTrack(mode, c, h, sectors, 2));
    }
    return tracks;
}

struct GeometryCase {
    const char* name;
    uint8_t mode, cylinders, heads, sectors;
};

TEST(ImdDecode, GeometriesOfThePcFloppies) {
    const GeometryCase cases[] = {
        {"360K", 5, 40, 2, 9},
        {"720K", 5, 80, 2, 9},
        {"1.2M", 3, 80, 2, 15},
        {"1.44M", 3, 80, 2, 18},
    };
    for (const GeometryCase& c : cases) {
        SCOPED_TRACE(c.name);
        ImdImage out;
        ASSERT_EQ(decodeImd(buildImd(kHeader, wholeDisk(c.mode, c.cylinders, c.heads, c.sectors)), out),
                  ContainerError::None);
        EXPECT_EQ(out.image.geometry, (SectorGeometry{c.cylinders, c.heads, c.sectors, 512}));
        EXPECT_EQ(out.image.bytes.size(), size_t{c.cylinders} * c.heads * c.sectors * 512);
        // Device order: the last sector of the last track ends the image.
        const auto last =
            out.image.sector(out.image.sectorIndex(c.cylinders - 1, c.heads - 1, c.sectors - 1));
        EXPECT_EQ(std::vector<uint8_t>(last.begin(), last.end()),
                  sectorPattern(c.cylinders - 1, c.heads - 1, c.sectors, 512));
    }
}

TEST(ImdDecode, EveryRecordKindGivesItsStateAndData) {
    struct Row {
        const char* name;
        uint8_t record;
        std::vector<uint8_t> stored;
        SectorState state;
        std::vector<uint8_t> data;
    };
    const std::vector<uint8_t> full = sectorPattern(0, 0, 1, 512);
    const std::vector<Row> rows = {
        {"unavailable", 0, {}, SectorState::Unavailable, std::vector<uint8_t>(512, 0xEE)},
        {"normal", 1, full, SectorState::Normal, full},
        {"compressed", 2, {0x5A}, SectorState::Normal, std::vector<uint8_t>(512, 0x5A)},
        {"deleted", 3, full, SectorState::Normal, full},
        {"deleted compressed", 4, {0x11}, SectorState::Normal, std::vector<uint8_t>(512, 0x11)},
        {"data error", 5, full, SectorState::DataError, full},
        {"data error compressed", 6, {0xF6}, SectorState::DataError, std::vector<uint8_t>(512, 0xF6)},
        {"deleted data error", 7, full, SectorState::DataError, full},
        {"deleted data error compressed", 8, {0}, SectorState::DataError, std::vector<uint8_t>(512, 0)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ImdTrack track = plainTrack(3, 0, 0, 2, 2);
        track.sectors[0] = {1, row.record, row.stored};
        ImdImage out;
        ASSERT_EQ(decodeImd(buildImd(kHeader, {track}), out), ContainerError::None);
        EXPECT_EQ(out.image.states[0], row.state);
        EXPECT_EQ(out.image.states[1], SectorState::Normal);
        const auto first = out.image.sector(0);
        EXPECT_EQ(std::vector<uint8_t>(first.begin(), first.end()), row.data);
    }
}

TEST(ImdDecode, InterleavedMappedTracksAndMissingTracks) {
    ImdTrack track = plainTrack(5, 0, 1, 9, 2);
    // 1:2 interleave as many formatters lay it down, with maps that repeat the usual values.
    const uint8_t order[] = {1, 6, 2, 7, 3, 8, 4, 9, 5};
    std::vector<containers_test::ImdSector> shuffled;
    for (uint8_t id : order) shuffled.push_back(track.sectors[id - 1]);
    track.sectors = shuffled;
    track.cylinderMap.assign(9, 0);
    track.headMap.assign(9, 1);
    // Cylinder 1 is missing from the file.
    ImdImage out;
    ASSERT_EQ(
        decodeImd(buildImd(kHeader, {plainTrack(5, 0, 0, 9, 2), track, plainTrack(5, 2, 0, 9, 2)}), out),
        ContainerError::None);
    EXPECT_EQ(out.image.geometry, (SectorGeometry{3, 2, 9, 512}));
    for (uint8_t id = 1; id <= 9; ++id) {
        const auto s = out.image.sector(out.image.sectorIndex(0, 1, id - 1));
        EXPECT_EQ(std::vector<uint8_t>(s.begin(), s.end()), sectorPattern(0, 1, id, 512)) << int{id};
        EXPECT_EQ(out.image.states[out.image.sectorIndex(1, 0, id - 1)], SectorState::Unavailable);
    }
    EXPECT_EQ(out.layout.tracks[1].ids, std::vector<uint8_t>(std::begin(order), std::end(order)));
}

TEST(ImdDecode, CommentKeepsOddBytes) {
    const std::string comment =
        std::string("P\xC5\x99\xC3\xADli\xC5\xA1\r\n\t\x01\xFF", 15) + std::string(1, '\0') + "end\r\n";
    ImdImage out;
    ASSERT_EQ(decodeImd(buildImd(kHeader + comment, {plainTrack(3, 0, 0, 18, 2)}), out),
              ContainerError::None);
    EXPECT_EQ(out.layout.headerLine, kHeader);
    EXPECT_EQ(out.layout.comment, comment);
}

TEST(ImdDecode, DamagedFilesAreRefusedWithTheirReason) {
    struct Row {
        const char* name;
        std::vector<uint8_t> file;
        ContainerError expected;
    };
    auto withTrack = [](auto change) {
        ImdTrack t = plainTrack(3, 0, 0, 2, 2);
        change(t);
        return buildImd(kHeader, {t});
    };
    std::vector<uint8_t> noCommentEnd(kHeader.begin(), kHeader.end());
    const std::vector<Row> rows = {
        {"no signature", std::vector<uint8_t>{'I', 'M', 'X', ' ', 0x1A}, ContainerError::BadHeader},
        {"comment never ends", noCommentEnd, ContainerError::Truncated},
        {"record kind 9", withTrack([](ImdTrack& t) { t.sectors[0].record = 9; }), ContainerError::BadRecord},
        {"size code 7", withTrack([](ImdTrack& t) { t.sizeCode = 7; }), ContainerError::BadRecord},
        {"sizes per sector", withTrack([](ImdTrack& t) { t.sizeCode = 0xFF; }), ContainerError::Unsupported},
        {"mode 6", withTrack([](ImdTrack& t) { t.mode = 6; }), ContainerError::BadRecord},
        {"head 2", withTrack([](ImdTrack& t) { t.head = 2; }), ContainerError::IrregularGeometry},
        {"no sectors", buildImd(kHeader, {}), ContainerError::NoGeometry},
        {"two sector sizes", buildImd(kHeader, {plainTrack(3, 0, 0, 9, 2), plainTrack(3, 1, 0, 9, 1)}),
         ContainerError::IrregularGeometry},
        {"more than a floppy",
         [] {
             // 255 sectors of 8 KB on each of 16 tracks, each stored as two bytes.
             std::vector<ImdTrack> tracks;
             for (uint8_t c = 0; c < 16; ++c) {
                 ImdTrack t{3, c, 0, 6, {}, {}, {}};
                 for (int id = 1; id <= 255; ++id) t.sectors.push_back({static_cast<uint8_t>(id), 2, {0}});
                 tracks.push_back(t);
             }
             return buildImd(kHeader, tracks);
         }(),
         ContainerError::TooLarge},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ImdImage out;
        EXPECT_EQ(decodeImd(row.file, out), row.expected);
    }
}

TEST(ImdDecode, EveryTruncationIsRefused) {
    ImdTrack t = plainTrack(3, 0, 0, 3, 0);
    t.sectors[1] = {2, 6, {0x42}};
    t.cylinderMap.assign(3, 0);
    const std::vector<uint8_t> whole = buildImd(kHeader, {t, plainTrack(3, 0, 1, 3, 0)});
    // Cutting at a track boundary leaves a valid, shorter image; everywhere else the file is damaged.
    const size_t trackBoundary = whole.size() - (5 + 3 + 3 * 129);
    for (size_t n = 0; n < whole.size(); ++n) {
        ImdImage out;
        const ContainerError e = decodeImd(std::span(whole).first(n), out);
        if (n == trackBoundary) {
            EXPECT_EQ(e, ContainerError::None);
        } else {
            EXPECT_NE(e, ContainerError::None) << n;
        }
    }
}

TEST(ImdEncode, WritesBackWhatItReadByteForByte) {
    ImdTrack mapped = plainTrack(5, 0, 1, 9, 2);
    std::swap(mapped.sectors[0], mapped.sectors[4]);
    mapped.cylinderMap.assign(9, 0);
    mapped.headMap.assign(9, 1);
    mapped.sectors[2] = {mapped.sectors[2].id, 5, mapped.sectors[2].data};  // data error
    mapped.sectors[3] = {mapped.sectors[3].id, 4, {0xE5}};                  // deleted, compressed
    mapped.sectors[6] = {mapped.sectors[6].id, 0, {}};                      // unavailable
    ImdTrack zeros = plainTrack(5, 1, 0, 9, 2);
    for (auto& s : zeros.sectors) s = {s.id, 2, {0}};
    // Cylinder 1 head 1 is missing and must stay so.
    const std::vector<uint8_t> original = buildImd(
        kHeader + "A comment\r\n", {plainTrack(5, 0, 0, 9, 2), mapped, zeros, plainTrack(5, 2, 0, 9, 2)});
    ImdImage decoded;
    ASSERT_EQ(decodeImd(original, decoded), ContainerError::None);
    std::vector<uint8_t> encoded;
    ASSERT_EQ(encodeImd(decoded.image, decoded.layout, encoded), ContainerError::None);
    EXPECT_EQ(encoded, original);
}

TEST(ImdEncode, ChangedSectorsTakeTheirNewStateAndData) {
    ImdTrack track = plainTrack(3, 0, 0, 18, 2);
    track.sectors[4] = {5, 0, {}};
    ImdImage decoded;
    ASSERT_EQ(decodeImd(buildImd(kHeader, {track}), decoded), ContainerError::None);
    // As a write through the library leaves it: data, and the sector whole.
    std::fill_n(decoded.image.sector(4).begin(), 512, 0x77);
    decoded.image.states[4] = SectorState::Normal;
    std::vector<uint8_t> encoded;
    ASSERT_EQ(encodeImd(decoded.image, decoded.layout, encoded), ContainerError::None);
    ImdImage again;
    ASSERT_EQ(decodeImd(encoded, again), ContainerError::None);
    EXPECT_EQ(again.image.states[4], SectorState::Normal);
    EXPECT_EQ(again.image.bytes, decoded.image.bytes);
}

TEST(ImdEncode, AFreshImageGetsTheModeOfItsDataRate) {
    struct Row {
        SectorGeometry geometry;
        uint8_t mode;
    };
    for (const Row& row : {Row{{80, 2, 18, 512}, 3}, Row{{80, 2, 15, 512}, 3}, Row{{80, 2, 9, 512}, 5},
                           Row{{40, 2, 9, 512}, 5}}) {
        SectorImage image;
        image.geometry = row.geometry;
        image.bytes.assign(row.geometry.byteCount(), 0xF6);
        image.states.assign(row.geometry.sectorCount(), SectorState::Normal);
        image.states[3] = SectorState::DataError;
        std::vector<uint8_t> encoded;
        ASSERT_EQ(encodeImd(image, ImdLayout{kHeader, "", {}}, encoded), ContainerError::None);
        EXPECT_EQ(encoded[kHeader.size() + 1], row.mode);
        ImdImage back;
        ASSERT_EQ(decodeImd(encoded, back), ContainerError::None);
        EXPECT_EQ(back.image.geometry, row.geometry);
        EXPECT_EQ(back.image.bytes, image.bytes);
        EXPECT_EQ(back.image.states, image.states);
        // Every sector of one byte is stored compressed: two bytes each, with the 5-byte track headers and
        // maps.
        const size_t tracks = size_t{row.geometry.cylinders} * row.geometry.heads;
        EXPECT_EQ(encoded.size(), kHeader.size() + 1 + tracks * (5 + row.geometry.sectorsPerTrack * 3));
    }
}

TEST(ImdEncode, RefusesWhatTheFormatCannotHold) {
    SectorImage image;
    image.geometry = {80, 2, 18, 500};
    image.bytes.assign(image.geometry.byteCount(), 0);
    image.states.assign(image.geometry.sectorCount(), SectorState::Normal);
    std::vector<uint8_t> out;
    EXPECT_EQ(encodeImd(image, ImdLayout{kHeader, "", {}}, out), ContainerError::IrregularGeometry);
    EXPECT_EQ(encodeImd(SectorImage{}, ImdLayout{kHeader, "", {}}, out), ContainerError::NoGeometry);
}

TEST(ImdHeader, HasImageDisksOwnForm) {
    EXPECT_EQ(imdHeaderLine(2024, 12, 8, 9, 5, 7), "IMD 1.18: 08/12/2024 09:05:07\r\n");
}

}  // namespace
