// orva convert between raw, ImageDisk, TeleDisk, CopyQM and zipped images, with dsktrans as the independent
// reader and writer; bad sectors named, filled and mapped; orva put on an ImageDisk image.
#include <gtest/gtest.h>

#include "cli_fixture.h"
#include "imd_builder.h"
#include "interop.h"

namespace cli_test {
namespace {

using containers_test::buildImd;
using containers_test::ImdTrack;
using containers_test::Interop;
using containers_test::plainTrack;
using testing_support::quote;
using testing_support::readFile;
using testing_support::writeFile;

std::string q(const fs::path& p) {
    return quote(p.string());
}

TEST(ConvertCommand, EveryFormatToRawGivesTheSameImage) {
    Interop fixture(1440);
    struct Row {
        const char* name;
        std::string dsktransType;
    };
    for (const Row& row : {Row{"disk.imd", "imd"}, Row{"disk.td0", "tele"}, Row{"disk.cqm", "copyqm"}}) {
        SCOPED_TRACE(row.name);
        const auto in = fixture.dir() / row.name;
        const auto out = fixture.dir() / (std::string(row.name) + ".img");
        writeFile(in, fixture.dsktrans(row.dsktransType));
        const CommandResult r = orva("convert " + q(in) + " " + q(out));
        EXPECT_EQ(r.exitCode, 0) << r.output;
        EXPECT_EQ(readFile(out), fixture.raw());
        EXPECT_FALSE(fs::exists(out.string() + ".map"));
    }
}

TEST(ConvertCommand, RawToImdAndImzReadBackByOthersAndByUs) {
    Interop fixture(720);
    const auto imd = fixture.dir() / "out.imd";
    const auto imz = fixture.dir() / "out.imz";
    const auto back = fixture.dir() / "back.raw";
    ASSERT_EQ(orva("convert " + quote(fixture.rawPath()) + " " + q(imd)).exitCode, 0);
    EXPECT_EQ(fixture.dsktransToRaw(readFile(imd), "imd"), fixture.raw());
    ASSERT_EQ(orva("convert " + q(imd) + " " + q(imz)).exitCode, 0);
    // The format comes from --to when the name says nothing.
    ASSERT_EQ(orva("convert --to raw " + q(imz) + " " + q(back)).exitCode, 0);
    EXPECT_EQ(readFile(back), fixture.raw());
    EXPECT_EQ(lsPaths(orva("ls -R " + q(imz)).output),
              lsPaths(orva("ls -R " + quote(fixture.rawPath())).output));
}

TEST(ConvertCommand, BadSectorsAreNamedFilledAndMapped) {
    testing_support::ScratchDir dir;
    std::vector<ImdTrack> tracks;
    for (uint8_t c = 0; c < 80; ++c) {
        for (uint8_t h = 0; h < 2; ++h) tracks.push_back(plainTrack(5, c, h, 9, 2));
    }
    tracks[1].sectors[2].record = 5;    // cylinder 0 head 1 sector 3: data error
    tracks[2].sectors[4] = {5, 0, {}};  // cylinder 1 head 0 sector 5: unavailable
    tracks[2].sectors[5] = {6, 0, {}};  // and sector 6
    const auto in = dir / "hurt.imd";
    const auto out = dir / "hurt.img";
    writeFile(in, buildImd("IMD 1.18: 01/01/1999 00:00:00\r\n", tracks));
    const CommandResult r = orvaStdout("convert " + q(in) + " " + q(out));
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.output,
              "cylinder 0 head 1 sector 3: data error, filled with 0xEE\n"
              "cylinder 1 head 0 sector 5: unavailable, filled with 0xEE\n"
              "cylinder 1 head 0 sector 6: unavailable, filled with 0xEE\n");
    const std::vector<uint8_t> raw = readFile(out);
    ASSERT_EQ(raw.size(), 737280u);
    for (size_t sector : {11u, 22u, 23u}) {
        EXPECT_EQ(std::vector<uint8_t>(raw.begin() + sector * 512, raw.begin() + sector * 512 + 512),
                  std::vector<uint8_t>(512, 0xEE))
            << sector;
    }
    EXPECT_EQ(raw[10 * 512], containers_test::sectorPattern(0, 1, 2, 512)[0]);
    EXPECT_EQ(readFile(out.string() + ".map"), bytesOf("# Mapfile. Created by orva convert\n"
                                                       "# current_pos  current_status  current_pass\n"
                                                       "0x00000000     +               1\n"
                                                       "#      pos        size  status\n"
                                                       "0x00000000  0x00001600  +\n"
                                                       "0x00001600  0x00000200  -\n"
                                                       "0x00001800  0x00001400  +\n"
                                                       "0x00002C00  0x00000400  -\n"
                                                       "0x00003000  0x000B1000  +\n"));
    // To ImageDisk the states stay what they were, and nothing needs a map.
    const auto again = dir / "again.imd";
    EXPECT_EQ(orva("convert " + q(in) + " " + q(again)).exitCode, 0);
    EXPECT_EQ(orvaStdout("convert --force " + q(again) + " " + q(out)).output,
              orvaStdout("convert --force " + q(in) + " " + q(out)).output);
}

// A rescued raw image with the map orva rescue (or ddrescue) left: what the map does not call finished becomes
// unavailable in an ImageDisk file, which says so when read again; a map that is no map is refused.
TEST(ConvertCommand, ARescueMapMarksTheUnfinishedSectors) {
    Interop fixture(720);
    const auto map = fixture.dir() / "disk.img.map";
    writeFile(map, bytesOf("# Mapfile. Created by GNU ddrescue version 1.27\n"
                           "0x00000000     +               1\n"
                           "0x00000000  0x00001600  +\n"
                           "0x00001600  0x00000200  -\n"     // sector 11: bad
                           "0x00001800  0x00001400  +\n"
                           "0x00002C00  0x00000100  ?\n"     // half of sector 22: not tried
                           "0x00002D00  0x000B2300  +\n"));
    const auto imd = fixture.dir() / "disk.imd";
    const CommandResult made = orva("convert --map " + q(map) + " " + quote(fixture.rawPath()) + " " + q(imd));
    ASSERT_EQ(made.exitCode, 0) << made.output;
    const auto back = fixture.dir() / "back.img";
    const CommandResult r = orvaStdout("convert " + q(imd) + " " + q(back));
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.output,
              "cylinder 0 head 1 sector 3: unavailable, filled with 0xEE\n"
              "cylinder 1 head 0 sector 5: unavailable, filled with 0xEE\n");
    std::vector<uint8_t> expected = fixture.raw();
    for (size_t sector : {11u, 22u}) std::fill_n(expected.begin() + sector * 512, 512, 0xEE);
    EXPECT_EQ(readFile(back), expected);

    writeFile(map, bytesOf("not a map\n"));
    const CommandResult refused = orva("convert --force --map " + q(map) + " " + quote(fixture.rawPath()) + " " + q(imd));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.output.find("cannot read the map"), std::string::npos) << refused.output;
}

TEST(ConvertCommand, RefusalsSayWhy) {
    Interop fixture(360);
    const auto existing = fixture.dir() / "existing.img";
    writeFile(existing, std::string("x"));
    const auto damaged = fixture.dir() / "damaged.imd";
    std::vector<uint8_t> cut = fixture.dsktrans("imd");
    cut.resize(cut.size() - 7);
    writeFile(damaged, cut);
    struct Row {
        const char* name;
        std::string arguments;
        int exitCode;
        std::string message;
    };
    const std::vector<Row> rows = {
        {"unknown format", "--to vfd " + quote(fixture.rawPath()) + " " + q(fixture.dir() / "a"), 2,
         "unknown format vfd"},
        {"teledisk output", quote(fixture.rawPath()) + " " + q(fixture.dir() / "a.td0"), 2,
         "td0 images can be read but not written"},
        {"existing output", quote(fixture.rawPath()) + " " + q(existing), 1, "already exists; use --force"},
        {"damaged input", q(damaged) + " " + q(fixture.dir() / "b.img"), 1,
         "cannot be read as imd: the file ends in the middle of a record (truncated)"},
        {"missing input", q(fixture.dir() / "none.imd") + " " + q(fixture.dir() / "c.img"), 1,
         "No such file or directory"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const CommandResult r = orva("convert " + row.arguments);
        EXPECT_EQ(r.exitCode, row.exitCode) << r.output;
        EXPECT_NE(r.output.find(row.message), std::string::npos) << r.output;
    }
    EXPECT_EQ(readFile(existing), bytesOf("x"));
}

TEST(ConvertCommand, PutIntoAnImdLeavesAValidImd) {
    Interop fixture(1440);
    const auto imd = fixture.dir() / "edit.imd";
    writeFile(imd, fixture.dsktrans("imd"));
    const auto host = fixture.dir() / "Zpráva o stavu.txt";
    writeFile(host, testing_support::patternBytes(12345, 5));
    const CommandResult put = orva("put " + q(imd) + " " + q(host) + " /");
    ASSERT_EQ(put.exitCode, 0) << put.output;
    const auto raw = fixture.dir() / "edit.img";
    writeFile(raw, fixture.dsktransToRaw(readFile(imd), "imd"));
    EXPECT_EQ(fsck(raw).exitCode, 0) << fsck(raw).output;
    EXPECT_TRUE(mdirPaths(raw).count("::/Zpráva o stavu.txt")) << orva("ls " + q(imd)).output;
}

}  // namespace
}  // namespace cli_test
