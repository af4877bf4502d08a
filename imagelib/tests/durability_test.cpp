// A crash at any ordering point must leave an image that fsck.fat finds at worst lost clusters in: each
// writing call runs once against a recording file, then every prefix of its writes that ends at a sync is
// replayed onto a copy of the original image and checked.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <sstream>

#include "fixture.h"
#include "image_state.h"
#include "recording_file.h"

namespace orva {
namespace {

namespace fs = std::filesystem;
using testing::FileLog;
using testing::FileOp;
using testing_support::patternBytes;
using testing_support::quote;
using testing_support::readFile;
using testing_support::run;
using testing_support::ScratchDir;
using testing_support::writeFile;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// What fsck.fat 4.2 prints about clusters that no entry owns, and around it; nothing else is forgiven.
const std::regex kLostClusters(R"(Reclaimed \d+ unused clusters? \(\d+ bytes\)\.)");
const std::regex kLeftUnchanged(R"(Leaving filesystem unchanged\.)");
// WriteVol leaves the boot sector's copy of the label alone, and fsck.fat wants the two equal.
const std::regex kLabelCopy(
    R"(Volume label '.*' stored in root directory and label '.*' stored in boot sector and different\.)"
    R"(|There is no label in boot sector, but there is volume label '.*' stored in root directory)"
    R"(|Label in boot sector is '.*', but there is no volume label in root directory\.)"
    R"(|  Auto-copying volume label from root directory to boot sector\.)"
    R"(|  Auto-removing label from boot sector\.)");

struct FsckVerdict {
    int exitCode = 0;
    std::vector<std::string> lostClusterLines;
    std::vector<std::string> labelLines;
    std::vector<std::string> otherLines;
};

FsckVerdict fsck(const fs::path& image) {
    const testing_support::CommandResult r = run("fsck.fat -n " + quote(image.string()));
    FsckVerdict v;
    v.exitCode = r.exitCode;
    for (const std::string& line : linesOf(r.output)) {
        if (line.empty() || line.rfind("fsck.fat ", 0) == 0 || line.rfind(image.string() + ": ", 0) == 0 ||
            std::regex_match(line, kLeftUnchanged)) {
            continue;
        }
        if (std::regex_match(line, kLostClusters)) {
            v.lostClusterLines.push_back(line);
        } else if (std::regex_match(line, kLabelCopy)) {
            v.labelLines.push_back(line);
        } else {
            v.otherLines.push_back(line);
        }
    }
    return v;
}

// The table's free entries on disk, so that stale bytes can be put where the library may allocate.
std::vector<uint32_t> freeClusters(const std::vector<uint8_t>& image, uint32_t& firstDataByte, uint32_t& clusterBytes) {
    auto le16 = [&](size_t at) { return static_cast<uint32_t>(image[at] | image[at + 1] << 8); };
    const uint32_t bps = le16(11), spc = image[13], reserved = le16(14), fats = image[16];
    const uint32_t firstData = reserved + fats * le16(22) + (le16(17) * 32 + bps - 1) / bps;
    const uint32_t clusters = (le16(19) - firstData) / spc;
    firstDataByte = firstData * bps;
    clusterBytes = bps * spc;
    std::vector<uint32_t> free;
    for (uint32_t c = 2; c < clusters + 2; ++c) {
        const size_t at = reserved * bps + c * 3 / 2;
        const uint32_t pair = image[at] | image[at + 1] << 8;
        if ((c & 1 ? pair >> 4 : pair & 0xFFF) == 0) free.push_back(c);
    }
    return free;
}

// The image every call starts from: a label, files short and long, a folder whose one cluster is full (a new
// entry makes it grow), an empty folder, and stale bytes in every free cluster, as on a disk in real use:
// a directory cluster linked before it is cleared would show them to fsck.fat.
std::vector<uint8_t> originalImage(int kilobytes) {
    static std::map<int, std::vector<uint8_t>> made;
    if (made.count(kilobytes)) return made[kilobytes];
    ScratchDir dir;
    const fs::path image = dir / "img.img";
    testing_support::makeFatImage(image, kilobytes, "ORVA");
    const uint32_t cluster = kilobytes == 1440 ? 512 : 1024;
    const fs::path tree = dir / "tree";
    fs::create_directories(tree / "FULL");
    fs::create_directories(tree / "Empty dir");
    fs::create_directories(tree / "DEEP" / "INNER");
    writeFile(tree / "KEEP.TXT", patternBytes(3 * cluster - 7, 1));
    writeFile(tree / "A file with a long name.bin", patternBytes(4 * cluster + 1, 2));
    writeFile(tree / "DEEP" / "INNER" / "Nested file.txt", patternBytes(100, 3));
    for (uint32_t i = 0; i < cluster / 32 - 2; ++i) {
        writeFile(tree / "FULL" / ("F" + std::to_string(i) + ".TXT"), patternBytes(10, 10 + i));
    }
    testing_support::mcopyTree(image, tree);
    std::vector<uint8_t> bytes = readFile(image);
    uint32_t firstData = 0, clusterBytes = 0;
    for (uint32_t c : freeClusters(bytes, firstData, clusterBytes)) {
        const std::vector<uint8_t> stale = patternBytes(clusterBytes, c);
        std::copy(stale.begin(), stale.end(), bytes.begin() + firstData + (c - 2) * clusterBytes);
    }
    writeFile(image, bytes);
    const FsckVerdict v = fsck(image);
    EXPECT_EQ(v.exitCode, 0);
    EXPECT_TRUE(v.otherLines.empty() && v.lostClusterLines.empty() && v.labelLines.empty());
    return made[kilobytes] = bytes;
}

struct Call {
    std::string name;
    // Runs the call; host files it needs go into the scratch folder.
    std::function<int32_t(ImageState&, const fs::path&)> run;
    int32_t expected = 0;
    bool labelCopyMayDiffer = false;
    // A file the call puts into the image: whenever its entry survives a crash, its bytes must be whole.
    std::string copiedFile;  // mtools path, empty for none
    uint32_t copiedClusters = 0, copiedExtra = 0;
    size_t copiedSize(uint32_t clusterBytes) const { return size_t{copiedClusters} * clusterBytes + copiedExtra; }
};

int32_t copyIn(ImageState& s, const fs::path& dir, size_t size, const std::string& imagePath) {
    writeFile(dir / "source", patternBytes(size, 99));
    return s.CopyT((dir / "source").string(), imagePath);
}

std::vector<Call> calls() {
    std::vector<Call> list;
    auto add = [&](std::string name, std::function<int32_t(ImageState&, const fs::path&)> run, int32_t expected = 0,
                   bool labelCopyMayDiffer = false) {
        list.push_back({std::move(name), std::move(run), expected, labelCopyMayDiffer, "", 0, 0});
    };
    // Sizes in clusters are scaled by the image's cluster size inside the call.
    auto copy = [&](std::string name, std::string imagePath, std::string mtoolsPath, uint32_t clusters,
                    uint32_t extra) {
        add(std::move(name), [=](ImageState& s, const fs::path& dir) {
            return copyIn(s, dir, size_t{clusters} * s.layout().clusterBytes + extra, imagePath);
        });
        list.back().copiedFile = std::move(mtoolsPath);
        list.back().copiedClusters = clusters;
        list.back().copiedExtra = extra;
    };
    copy("CopyTSmallFile", "\\SMALL.TXT", "::/SMALL.TXT", 0, 100);
    copy("CopyTMultiClusterFile", "\\MULTI.BIN", "::/MULTI.BIN", 7, 5);
    copy("CopyTIntoFullFolder", "\\FULL\\Grows the folder.txt", "::/FULL/Grows the folder.txt", 2, 1);
    copy("CopyTLongName", "\\Příliš žluťoučký kůň, a name of several parts.txt",
         "::/Příliš žluťoučký kůň, a name of several parts.txt", 1, 0);
    copy("CopyTEmptyFile", "\\Empty file.txt", "::/Empty file.txt", 0, 0);
    copy("CopyTIntoNestedFolder", "\\DEEP\\INNER\\", "::/DEEP/INNER/source", 3, 17);
    add("MkDirInRoot", [](ImageState& s, const fs::path&) { return s.MkDir("\\New folder"); });
    add("MkDirInFullFolder", [](ImageState& s, const fs::path&) { return s.MkDir("\\FULL\\SUB"); });
    add("MkDirNested", [](ImageState& s, const fs::path&) { return s.MkDir("\\Empty dir\\Inner one"); });
    add("KillFLongNamedFile", [](ImageState& s, const fs::path&) { return s.KillF("\\A file with a long name.bin", 0); });
    add("KillFFileInFolder", [](ImageState& s, const fs::path&) { return s.KillF("\\FULL\\F3.TXT", 0); });
    add("KillFNestedFile", [](ImageState& s, const fs::path&) { return s.KillF("\\DEEP\\INNER\\Nested file.txt", 0); });
    add("KillFEmptyFolder", [](ImageState& s, const fs::path&) { return s.KillF("\\Empty dir", 0); });
    add("SetAttribFile", [](ImageState& s, const fs::path&) { return s.SetAttrib("\\KEEP.TXT", 0x07); });
    add("SetAttribLongNamedFolder", [](ImageState& s, const fs::path&) { return s.SetAttrib("\\Empty dir", 0x22); });
    add("WriteVolReplace", [](ImageState& s, const fs::path&) { return s.WriteVol("NEW LABEL"); }, 0, true);
    add("WriteVolRemove", [](ImageState& s, const fs::path&) { return s.WriteVol(""); }, 0, true);
    add("WriteBoot", [](ImageState& s, const fs::path& dir) {
        // Another disk's boot sector: its parameters must not replace the image's own.
        const fs::path other = dir / "other.img";
        testing_support::makeFatImage(other, 360, "ORVA");
        std::vector<uint8_t> sector = readFile(other);
        sector.resize(512);
        const std::string oem = "TESTOEM ";
        std::copy(oem.begin(), oem.end(), sector.begin() + 3);
        const std::vector<uint8_t> code = patternBytes(448, 5);
        std::copy(code.begin(), code.end(), sector.begin() + 62);
        sector[510] = 0;
        return s.WriteBoot(sector.data());
    });
    return list;
}

struct Param {
    size_t call;
    int kilobytes;
};

class Durability : public ::testing::TestWithParam<Param> {
protected:
    ScratchDir dir;
};

TEST_P(Durability, EveryOrderingPointLeavesARepairableImage) {
    const Call call = calls()[GetParam().call];
    const std::vector<uint8_t> original = originalImage(GetParam().kilobytes);
    const fs::path image = dir / "img.img";
    writeFile(image, original);

    auto log = std::make_shared<FileLog>();
    FileLog ops;
    {
        ImageState s(testing::recordingOpener(log));
        ASSERT_EQ(s.OpenFDImg(image.string(), 1), 0);
        log->clear();
        ASSERT_EQ(call.run(s, dir.path()), call.expected);
        ops = *log;
        ASSERT_EQ(s.CloseFDImg(), 0);
    }
    ASSERT_FALSE(ops.empty()) << "the call wrote nothing";
    EXPECT_EQ(ops.back().kind, FileOp::Kind::Sync) << "writes left unsynced when the call returned";
    EXPECT_LE(testing::syncCount(ops), 3u) << "more syncs than ordering points";
    {
        // The log must hold every write, or the replays below prove nothing.
        std::vector<uint8_t> replayed = original;
        testing::applyWrites(replayed, ops);
        ASSERT_TRUE(replayed == readFile(image)) << "the log misses writes";
    }

    // The crash points: nothing written, each sync, and the whole log.
    std::vector<size_t> cuts = {0};
    for (size_t i = 0; i < ops.size(); ++i) {
        if (ops[i].kind == FileOp::Kind::Sync) cuts.push_back(i + 1);
    }
    if (cuts.back() != ops.size()) cuts.push_back(ops.size());

    const fs::path crashed = dir / "crashed.img";
    for (size_t cut : cuts) {
        const bool complete = cut == ops.size();
        const std::string where = "after " + std::to_string(cut) + " of " + std::to_string(ops.size()) + " operations";
        std::vector<uint8_t> bytes = original;
        testing::applyWrites(bytes, std::span(ops).first(cut));
        writeFile(crashed, bytes);

        const FsckVerdict v = fsck(crashed);
        EXPECT_TRUE(v.exitCode == 0 || v.exitCode == 1) << where << ": fsck.fat exit " << v.exitCode;
        EXPECT_EQ(v.otherLines, std::vector<std::string>{}) << where;
        if (!call.labelCopyMayDiffer) {
            EXPECT_EQ(v.labelLines, std::vector<std::string>{}) << where;
        }
        if (complete) {
            EXPECT_EQ(v.lostClusterLines, std::vector<std::string>{}) << where;
        }

        if (call.copiedFile.empty()) continue;
        // A file that is visible after the crash carries all of its bytes.
        const fs::path out = dir / "out";
        fs::remove(out);
        const testing_support::CommandResult got =
            run("mcopy -n -i " + quote(crashed.string()) + " " + quote(call.copiedFile) + " " + quote(out.string()));
        if (complete) {
            EXPECT_EQ(got.exitCode, 0) << where << ": " << got.output;
        }
        if (got.exitCode != 0) continue;
        const uint32_t clusterBytes = GetParam().kilobytes == 1440 ? 512 : 1024;
        EXPECT_TRUE(readFile(out) == patternBytes(call.copiedSize(clusterBytes), 99)) << where << ": " << call.copiedFile << " is not whole";
    }
}

std::vector<Param> params() {
    std::vector<Param> all;
    for (int kilobytes : {1440, 720}) {
        for (size_t i = 0; i < calls().size(); ++i) all.push_back({i, kilobytes});
    }
    return all;
}

INSTANTIATE_TEST_SUITE_P(Calls, Durability, ::testing::ValuesIn(params()),
                         [](const ::testing::TestParamInfo<Param>& info) {
                             return calls()[info.param.call].name + "Kb" + std::to_string(info.param.kilobytes);
                         });

}  // namespace
}  // namespace orva
