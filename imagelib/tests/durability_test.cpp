// A crash must leave an image that fsck.fat finds at worst lost clusters in. Each writing call runs once
// against a recording file; then what a crash could have left on disk is rebuilt from the log on a copy of
// the original image and checked: every prefix that ends at a sync, and, between two syncs, any one write
// without the others or all of them but one.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <numeric>
#include <span>
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

// A line of fsck.fat's output by its fixed parts; names and numbers sit between them.
struct LinePattern {
    std::string_view start, middle = "", end = "";
};

bool matchesAny(const std::string& line, std::span<const LinePattern> patterns) {
    return std::any_of(patterns.begin(), patterns.end(), [&](const LinePattern& p) {
        if (line.size() < p.start.size() + p.middle.size() + p.end.size()) return false;
        if (!line.starts_with(p.start) || !line.ends_with(p.end)) return false;
        const std::string_view inner =
            std::string_view(line).substr(p.start.size(), line.size() - p.start.size() - p.end.size());
        return inner.find(p.middle) != std::string_view::npos;
    });
}

// What fsck.fat 4.2 prints about clusters that no entry owns; nothing else is forgiven at an ordering point.
constexpr LinePattern kLostClusters[] = {{"Reclaimed ", " unused cluster", " bytes)."}};
// The label entry and the boot sector's copy of it disagree.
constexpr LinePattern kLabelCopy[] = {
    {"Volume label '", "' stored in root directory and label '", "' stored in boot sector and different."},
    {"There is no label in boot sector, but there is volume label '", "", "' stored in root directory"},
    {"Label in boot sector is '", "", "', but there is no volume label in root directory."},
    {"  Auto-copying volume label from root directory to boot sector."},
    {"  Auto-removing label from boot sector."}};
// A crash inside a group: one table copy written and the other not (both intact, the first one wins), or
// some slots of a long-name group marked deleted and others not.
constexpr LinePattern kInsideAGroup[] = {
    {"FATs differ but appear to be intact."},
    {"  Using first FAT."},
    {"Orphaned long file name part \"", "", "\""},
    {"  Auto-deleting."},
    {"Long filename fragment \"", "", "\" found outside a LFN sequence."},
    {"  (Maybe the start bit is missing on the last fragment)"},
    {"  Not auto-correcting this."}};

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
            line == "Leaving filesystem unchanged.") {
            continue;
        }
        if (matchesAny(line, kLostClusters)) {
            v.lostClusterLines.push_back(line);
        } else if (matchesAny(line, kLabelCopy)) {
            v.labelLines.push_back(line);
        } else {
            v.otherLines.push_back(line);
        }
    }
    return v;
}

// The table's free entries on disk, so that stale bytes can be put where the library may allocate.
std::vector<uint32_t> freeClusters(const std::vector<uint8_t>& image, uint32_t& firstDataByte,
                                   uint32_t& clusterBytes) {
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
    // Copied last, it puts the first free cluster some 400 table entries after FULL's: the entries of a
    // growing folder's link and of its new cluster then lie in different sectors of the table.
    writeFile(tree / "ZZ big file.bin", patternBytes(400 * cluster, 4));
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
    // A file the call puts into the image: whenever its entry survives a crash, its bytes must be whole.
    std::string copiedFile;  // mtools path, empty for none
    uint32_t copiedClusters = 0, copiedExtra = 0;
    uint32_t exports = 1;  // how many writing exports the call makes
    size_t copiedSize(uint32_t clusterBytes) const {
        return size_t{copiedClusters} * clusterBytes + copiedExtra;
    }
};

int32_t copyIn(ImageState& s, const fs::path& dir, size_t size, const std::string& imagePath) {
    writeFile(dir / "source", patternBytes(size, 99));
    return s.CopyT((dir / "source").string(), imagePath);
}

std::vector<Call> calls() {
    std::vector<Call> list;
    auto add = [&](std::string name, std::function<int32_t(ImageState&, const fs::path&)> run) {
        list.push_back({std::move(name), std::move(run), 0, "", 0, 0, 1});
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
    // The folder grows for the entry, and then the data no longer fits: the new folder cluster stays.
    add("CopyTRefusedAfterFolderGrew", [](ImageState& s, const fs::path& dir) {
        uint32_t freeBytes = 0;
        s.FreeSpace(&freeBytes);
        return copyIn(s, dir, freeBytes, "\\FULL\\Too big.bin");
    });
    list.back().expected = 1;
    // Several exports in a row: each one's last entries become durable only at the next one's first
    // ordering point, so a crash anywhere in the sequence must still leave a sound image.
    add("CopyTSeveralFiles", [](ImageState& s, const fs::path& dir) {
        for (const char* name : {"\\ONE.TXT", "\\FULL\\Second file.txt", "\\DEEP\\THREE.BIN"}) {
            if (const int32_t r = copyIn(s, dir, 2 * s.layout().clusterBytes + 3, name); r != 0) return r;
        }
        return copyIn(s, dir, 3 * s.layout().clusterBytes, "\\LAST.BIN");
    });
    list.back().copiedFile = "::/LAST.BIN";
    list.back().copiedClusters = 3;
    list.back().exports = 4;
    add("KillFThenCopyTReusingItsClusters", [](ImageState& s, const fs::path& dir) {
        if (const int32_t r = s.KillF("\\A file with a long name.bin", 0); r != 0) return r;
        if (const int32_t r = s.MkDir("\\FULL\\AFTER"); r != 0) return r;
        return copyIn(s, dir, 4 * s.layout().clusterBytes, "\\FULL\\AFTER\\Reuses the clusters.bin");
    });
    list.back().copiedFile = "::/FULL/AFTER/Reuses the clusters.bin";
    list.back().copiedClusters = 4;
    list.back().exports = 3;
    add("MkDirInRoot", [](ImageState& s, const fs::path&) { return s.MkDir("\\New folder"); });
    add("MkDirInFullFolder", [](ImageState& s, const fs::path&) { return s.MkDir("\\FULL\\SUB"); });
    add("MkDirNested", [](ImageState& s, const fs::path&) { return s.MkDir("\\Empty dir\\Inner one"); });
    add("KillFLongNamedFile",
        [](ImageState& s, const fs::path&) { return s.KillF("\\A file with a long name.bin", 0); });
    add("KillFFileInFolder", [](ImageState& s, const fs::path&) { return s.KillF("\\FULL\\F3.TXT", 0); });
    add("KillFNestedFile",
        [](ImageState& s, const fs::path&) { return s.KillF("\\DEEP\\INNER\\Nested file.txt", 0); });
    add("KillFEmptyFolder", [](ImageState& s, const fs::path&) { return s.KillF("\\Empty dir", 0); });
    add("SetAttribFile", [](ImageState& s, const fs::path&) { return s.SetAttrib("\\KEEP.TXT", 0x07); });
    add("SetAttribLongNamedFolder",
        [](ImageState& s, const fs::path&) { return s.SetAttrib("\\Empty dir", 0x22); });
    add("WriteVolReplace", [](ImageState& s, const fs::path&) { return s.WriteVol("NEW LABEL"); });
    add("WriteVolRemove", [](ImageState& s, const fs::path&) { return s.WriteVol(""); });
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

void PrintTo(const Param& p, std::ostream* os) {
    *os << calls()[p.call].name << " on " << p.kilobytes << " KB";
}

class Durability : public ::testing::TestWithParam<Param> {
  protected:
    void SetUp() override {
        call = calls()[GetParam().call];
        original = originalImage(GetParam().kilobytes);
        const fs::path image = dir / "img.img";
        writeFile(image, original);
        auto log = std::make_shared<FileLog>();
        {
            ImageState s(testing::recordingOpener(log));
            ASSERT_EQ(s.OpenFDImg(image.string(), 1), 0);
            log->clear();
            ASSERT_EQ(call.run(s, dir.path()), call.expected);
            // The close is the last ordering point of what the calls wrote.
            ASSERT_EQ(s.CloseFDImg(), 0);
            ops = *log;
        }
        ASSERT_FALSE(ops.empty()) << "the call wrote nothing";
        // The log must hold every write, or the replays prove nothing.
        std::vector<uint8_t> replayed = original;
        testing::applyWrites(replayed, ops);
        ASSERT_TRUE(replayed == readFile(image)) << "the log misses writes";
    }

    // The image after the given operations of the log, in the given order.
    std::vector<uint8_t> replay(const std::vector<size_t>& which) const {
        std::vector<uint8_t> bytes = original;
        for (size_t i : which) testing::applyWrites(bytes, std::span(ops).subspan(i, 1));
        return bytes;
    }

    // fsck.fat's verdict on an image; what it may say beyond lost clusters is up to the caller.
    FsckVerdict check(const std::vector<uint8_t>& bytes, bool complete, const std::string& where) {
        const fs::path crashed = dir / "crashed.img";
        writeFile(crashed, bytes);
        const FsckVerdict v = fsck(crashed);
        EXPECT_TRUE(v.exitCode == 0 || v.exitCode == 1) << where << ": fsck.fat exit " << v.exitCode;
        if (complete) {
            EXPECT_EQ(v.lostClusterLines, std::vector<std::string>{}) << where;
        }
        if (call.copiedFile.empty()) return v;
        // A file that is visible after the crash carries all of its bytes.
        const fs::path out = dir / "out";
        fs::remove(out);
        const testing_support::CommandResult got = run("mcopy -n -i " + quote(crashed.string()) + " " +
                                                       quote(call.copiedFile) + " " + quote(out.string()));
        if (complete) {
            EXPECT_EQ(got.exitCode, 0) << where << ": " << got.output;
        }
        const uint32_t clusterBytes = GetParam().kilobytes == 1440 ? 512 : 1024;
        if (got.exitCode == 0) {
            EXPECT_TRUE(readFile(out) == patternBytes(call.copiedSize(clusterBytes), 99))
                << where << ": " << call.copiedFile << " is visible but not whole";
        }
        return v;
    }

    // The writes between two syncs; the last group holds what came after the last sync, if anything.
    std::vector<std::vector<size_t>> writeGroups() const {
        std::vector<std::vector<size_t>> groups(1);
        for (size_t i = 0; i < ops.size(); ++i) {
            if (ops[i].kind == FileOp::Kind::Sync) {
                groups.emplace_back();
            } else {
                groups.back().push_back(i);
            }
        }
        return groups;
    }

    ScratchDir dir;
    Call call;
    std::vector<uint8_t> original;
    FileLog ops;
};

TEST_P(Durability, EveryOrderingPointLeavesARepairableImage) {
    EXPECT_EQ(ops.back().kind, FileOp::Kind::Sync) << "writes left unsynced when the image closed";
    EXPECT_LE(testing::syncCount(ops), 3u * call.exports) << "more syncs than ordering points";

    // The crash points: nothing written, each sync, and the whole log.
    std::vector<size_t> cuts = {0};
    for (size_t i = 0; i < ops.size(); ++i) {
        if (ops[i].kind == FileOp::Kind::Sync) cuts.push_back(i + 1);
    }
    if (cuts.back() != ops.size()) cuts.push_back(ops.size());
    for (size_t cut : cuts) {
        const std::string where =
            "after " + std::to_string(cut) + " of " + std::to_string(ops.size()) + " operations";
        std::vector<size_t> done(cut);
        std::iota(done.begin(), done.end(), size_t{0});
        const FsckVerdict v = check(replay(done), cut == ops.size(), where);
        EXPECT_EQ(v.otherLines, std::vector<std::string>{}) << where;
        EXPECT_EQ(v.labelLines, std::vector<std::string>{}) << where;
    }
}

// Between two syncs the writes may reach the disk in any order and any of them may be lost. So a crash can
// leave everything before a sync plus any part of what follows: here every single write of the next group
// alone, and all of them but one. This catches an ordering point without its sync; what a crash inside a
// group can do even with every sync in place (one table copy written, not the other; some long-name slots
// of a deleted entry marked, not all; the label entry and its copy in the boot sector) is allowed.
TEST_P(Durability, WritesBetweenSyncsMayLandInAnyOrder) {
    const std::vector<std::vector<size_t>> groups = writeGroups();
    std::vector<size_t> before;
    for (size_t g = 0; g < groups.size(); ++g) {
        const std::vector<size_t>& group = groups[g];
        for (size_t skip = 0; group.size() > 1 && skip < group.size(); ++skip) {
            for (bool alone : {true, false}) {
                std::vector<size_t> done = before;
                for (size_t k = 0; k < group.size(); ++k) {
                    if ((k == skip) == alone) done.push_back(group[k]);
                }
                const std::string where = "group " + std::to_string(g) +
                                          (alone ? ": only write " : ": all but write ") +
                                          std::to_string(group[skip]);
                const FsckVerdict v = check(replay(done), false, where);
                std::vector<std::string> other;
                for (const std::string& line : v.otherLines) {
                    if (!matchesAny(line, kInsideAGroup)) other.push_back(line);
                }
                EXPECT_EQ(other, std::vector<std::string>{}) << where;
            }
        }
        before.insert(before.end(), group.begin(), group.end());
    }
}

// A write of several sectors may reach the disk only in part: a disk keeps each 512-byte sector whole, not
// the whole write. Between two syncs, each sector a write changes may land alone, and a write may lose one of
// the sectors it changes while the rest of its group lands. Torn long-name groups are allowed (systems skip
// orphaned parts, as they do lost clusters); anything that names a free cluster is not.
TEST_P(Durability, TornWritesNeverLeaveAFreeClusterNamed) {
    constexpr size_t kSector = 512;
    constexpr size_t kMostSectorsTried = 6;  // per write: enough to reach every table sector that changed
    const auto applyTorn = [](std::vector<uint8_t>& bytes, const FileOp& op, const std::function<bool(size_t)>& keep) {
        for (size_t i = 0; i < op.bytes.size(); ++i) {
            const size_t at = op.offset + i;
            if (at < bytes.size() && keep(at / kSector)) bytes[at] = op.bytes[i];
        }
    };
    const std::vector<std::vector<size_t>> groups = writeGroups();
    std::vector<size_t> before;
    for (size_t g = 0; g < groups.size(); ++g) {
        const std::vector<uint8_t> base = replay(before);
        for (size_t k : groups[g]) {
            const FileOp& op = ops[k];
            std::vector<size_t> changed;
            for (size_t i = 0; i < op.bytes.size(); ++i) {
                const size_t at = op.offset + i;
                const size_t sector = at / kSector;
                if (at < base.size() && base[at] != op.bytes[i] && (changed.empty() || changed.back() != sector))
                    changed.push_back(sector);
            }
            if (changed.size() < 2) continue;
            changed.resize(std::min(changed.size(), kMostSectorsTried));
            for (size_t sector : changed) {
                for (bool alone : {true, false}) {
                    std::vector<uint8_t> bytes = alone ? base : replay(before);
                    if (!alone) {
                        for (size_t other : groups[g]) {
                            if (other != k) testing::applyWrites(bytes, std::span(ops).subspan(other, 1));
                        }
                    }
                    applyTorn(bytes, op, [&](size_t s) { return (s == sector) == alone; });
                    const std::string where = "group " + std::to_string(g) + ", write " + std::to_string(k) +
                                              (alone ? ": only sector " : ": all but sector ") +
                                              std::to_string(sector);
                    const FsckVerdict v = check(bytes, false, where);
                    std::vector<std::string> other;
                    for (const std::string& line : v.otherLines) {
                        if (!matchesAny(line, kInsideAGroup)) other.push_back(line);
                    }
                    EXPECT_EQ(other, std::vector<std::string>{}) << where;
                }
            }
        }
        before.insert(before.end(), groups[g].begin(), groups[g].end());
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
                             return calls()[info.param.call].name + "Kb" +
                                    std::to_string(info.param.kilobytes);
                         });

}  // namespace
}  // namespace orva
