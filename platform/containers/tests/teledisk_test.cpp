// TeleDisk files built by hand (every encoding and sector flag, with and without advanced compression) and
// made by libdsk's dsktrans from FAT images; damaged files, among them the one that overruns libdsk's own
// reader.
#include <gtest/gtest.h>

#include "imd_builder.h"
#include "interop.h"
#include "lzhuf_encoder.h"
#include "platform/containers/lzhuf_decode.h"
#include "platform/containers/teledisk_decode.h"
#include "td0_builder.h"

namespace {

using namespace platform::containers;
using namespace containers_test;

std::vector<uint8_t> fill(size_t n, uint8_t b) {
    return std::vector<uint8_t>(n, b);
}

Td0File everyKind() {
    const std::vector<uint8_t> data = sectorPattern(0, 0, 1, 512);
    Td0File f;
    f.comment = std::string("first line\0second line\0", 23);
    f.tracks = {
        {0,
         0,
         {
             {1, 2, 0, rawBlock(data)},
             {2, 2, 0, pairBlock(256, 0xE5, 0xF6)},
             {3, 2, 0,
              runsBlock({{0, 100, fill(100, 0x41)},
                         {0, 3, {1, 2, 3}},
                         {0, 255, fill(255, 0)},
                         {0, 154, fill(154, 0)}})},
             {4, 2, 0x02, rawBlock(data)},  // data error
             {5, 2, 0x20, {}},              // no data field
             {6, 2, 0x10, {}},              // not allocated, not stored
             {7, 2, 0x04, runsBlock({{2, 64, {0xDE, 0xAD, 0xBE, 0xEF}}, {1, 128, {0xE5, 0xE5}}})},
             {1, 2, 0x01, rawBlock(fill(512, 0x99))},  // a duplicate of sector 1
         }},
    };
    return f;
}

void expectEveryKind(const TeleDiskImage& out) {
    const std::vector<uint8_t> data = sectorPattern(0, 0, 1, 512);
    auto sector = [&](size_t i) {
        const auto s = out.image.sector(i);
        return std::vector<uint8_t>(s.begin(), s.end());
    };
    EXPECT_EQ(out.image.geometry, (SectorGeometry{1, 1, 7, 512}));
    EXPECT_EQ(sector(0), data);
    std::vector<uint8_t> pairs;
    for (int i = 0; i < 256; ++i) pairs.insert(pairs.end(), {0xE5, 0xF6});
    EXPECT_EQ(sector(1), pairs);
    std::vector<uint8_t> runs = fill(100, 0x41);
    runs.insert(runs.end(), {1, 2, 3});
    runs.resize(512, 0);
    EXPECT_EQ(sector(2), runs);
    EXPECT_EQ(sector(3), data);
    EXPECT_EQ(sector(4), fill(512, 0xEE));
    EXPECT_EQ(sector(5), fill(512, 0xF6));
    std::vector<uint8_t> mixed;
    for (int i = 0; i < 64; ++i) mixed.insert(mixed.end(), {0xDE, 0xAD, 0xBE, 0xEF});
    mixed.resize(512, 0xE5);
    EXPECT_EQ(sector(6), mixed);
    const std::vector<SectorState> states{
        SectorState::Normal,      SectorState::Normal, SectorState::Normal, SectorState::DataError,
        SectorState::Unavailable, SectorState::Normal, SectorState::Normal};
    EXPECT_EQ(out.image.states, states);
    EXPECT_EQ(out.comment, "first line\r\nsecond line");
}

TEST(TeleDiskDecode, EveryEncodingAndFlagPlainAndCompressed) {
    for (bool compressed : {false, true}) {
        SCOPED_TRACE(compressed ? "advanced compression" : "plain");
        Td0File f = everyKind();
        f.compressed = compressed;
        TeleDiskImage out;
        ASSERT_EQ(decodeTeleDisk(buildTd0(f), out), ContainerError::None);
        expectEveryKind(out);
    }
}

TEST(TeleDiskDecode, DamagedFilesAreRefusedWithTheirReason) {
    struct Row {
        const char* name;
        std::vector<uint8_t> file;
        ContainerError expected;
    };
    auto changed = [](auto change) {
        Td0File f = everyKind();
        change(f);
        return buildTd0(f);
    };
    auto sector0 = [&](std::vector<uint8_t> block) {
        return changed([&](Td0File& f) { f.tracks[0].sectors[0].block = block; });
    };
    std::vector<uint8_t> badCrc = buildTd0(everyKind());
    badCrc[4] ^= 1;
    const std::vector<Row> rows = {
        {"header CRC", badCrc, ContainerError::BadHeader},
        {"second volume of a set", changed([](Td0File& f) { f.volume = 1; }), ContainerError::Unsupported},
        {"old advanced compression", changed([](Td0File& f) {
             f.compressed = true;
             f.version = 15;
         }),
         ContainerError::Unsupported},
        {"size code 7", changed([](Td0File& f) { f.tracks[0].sectors[0].sizeCode = 7; }),
         ContainerError::BadRecord},
        {"encoding 3", sector0({3, 0}), ContainerError::BadRecord},
        {"raw block too short", sector0(rawBlock(fill(511, 1))), ContainerError::BadRecord},
        {"pairs beyond the sector", sector0(pairBlock(257, 1, 2)), ContainerError::BadRecord},
        {"pairs short of the sector", sector0(pairBlock(255, 1, 2)), ContainerError::BadRecord},
        // libdsk 1.5.9 copies this pattern into a 257-byte buffer on its stack.
        {"a 4 KB pattern", sector0(runsBlock({{12, 1, fill(4096, 0x41)}})), ContainerError::BadRecord},
        {"pattern of 2^200 bytes", sector0(runsBlock({{200, 1, {}}})), ContainerError::BadRecord},
        {"runs past the sector", sector0(runsBlock({{1, 255, {0, 0}}, {1, 2, {0, 0}}})),
         ContainerError::BadRecord},
        {"runs end early", sector0(runsBlock({{0, 10, fill(10, 1)}})), ContainerError::BadRecord},
        {"empty block", sector0({}), ContainerError::BadRecord},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TeleDiskImage out;
        EXPECT_EQ(decodeTeleDisk(row.file, out), row.expected);
    }
}

TEST(TeleDiskDecode, EveryTruncationIsRefused) {
    for (bool compressed : {false, true}) {
        Td0File f = everyKind();
        f.compressed = compressed;
        const std::vector<uint8_t> whole = buildTd0(f);
        for (size_t n = 0; n < whole.size(); ++n) {
            TeleDiskImage out;
            EXPECT_NE(decodeTeleDisk(std::span(whole).first(n), out), ContainerError::None) << n;
        }
    }
}

TEST(LzhufDecode, ExpandsWhatTheCompressorMadeAndStopsAtTheLimit) {
    struct Row {
        const char* name;
        std::vector<uint8_t> data;
    };
    std::vector<uint8_t> text;
    for (int i = 0; i < 3000; ++i) {
        const std::string word = "sector " + std::to_string(i % 97) + " ";
        text.insert(text.end(), word.begin(), word.end());
    }
    const std::vector<Row> rows = {
        {"empty", {}},
        {"one byte", {0x42}},
        {"zeros", fill(100000, 0)},  // enough repeats to rebuild the tree's frequencies
        {"noise", testing_support::patternBytes(20000, 7)},
        {"text", text},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<uint8_t> out;
        ASSERT_EQ(lzhufDecode(lzhufEncode(row.data), 1u << 24, out), ContainerError::None);
        EXPECT_EQ(out, row.data);
        if (row.data.size() > 10) {
            EXPECT_EQ(lzhufDecode(lzhufEncode(row.data), row.data.size() / 2, out), ContainerError::TooLarge);
        }
    }
}

TEST(TeleDiskInterop, DsktransImagesReadAsTheirRawSource) {
    for (int kilobytes : {360, 720, 1200, 1440}) {
        SCOPED_TRACE(kilobytes);
        Interop fixture(kilobytes);
        TeleDiskImage out;
        ASSERT_EQ(decodeTeleDisk(fixture.dsktrans("tele"), out), ContainerError::None);
        EXPECT_EQ(out.image.bytes, fixture.raw());
        EXPECT_EQ(out.image.geometry, fixture.geometry());
    }
}

TEST(TeleDiskInterop, LibdskExpandsOurCompressionAsWeDo) {
    Interop fixture(1440);
    TeleDiskImage plain;
    ASSERT_EQ(decodeTeleDisk(fixture.dsktrans("tele"), plain), ContainerError::None);
    // The same file with everything after the header compressed, as TeleDisk's advanced mode stores it.
    std::vector<uint8_t> file = fixture.dsktrans("tele");
    std::vector<uint8_t> compressed(file.begin(), file.begin() + 12);
    compressed[0] = 't';
    compressed[1] = 'd';
    const uint16_t crc = teleDiskCrc(std::span(compressed).first(10));
    compressed[10] = static_cast<uint8_t>(crc);
    compressed[11] = static_cast<uint8_t>(crc >> 8);
    const std::vector<uint8_t> body = lzhufEncode(std::span(file).subspan(12));
    compressed.insert(compressed.end(), body.begin(), body.end());
    TeleDiskImage ours;
    ASSERT_EQ(decodeTeleDisk(compressed, ours), ContainerError::None);
    EXPECT_EQ(ours.image.bytes, fixture.raw());
    EXPECT_EQ(fixture.dsktransToRaw(compressed, "tele"), fixture.raw());
}

}  // namespace
