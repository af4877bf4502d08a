// Trees written by the library, checked by tools that share no code with it: fsck.fat must find nothing to
// repair, and mtools must list the same names, copy out the same bytes and show the same attributes and
// label.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "fixture.h"
#include "image_state.h"
#include "platform/text_codec.h"
#include "short_name.h"

namespace orva {
namespace {

namespace fs = std::filesystem;
using testing_support::patternBytes;
using testing_support::quote;
using testing_support::readFile;
using testing_support::run;
using testing_support::ScratchDir;

struct Item {
    bool directory = false;
    std::vector<uint8_t> bytes;
    uint8_t attributes = 0;  // as the library stores them
};
// "/"-separated paths below the root, in UTF-8.
using Tree = std::map<std::string, Item>;

std::string imagePathOf(const std::string& path) {
    std::string p = "\\" + path;
    std::replace(p.begin(), p.end(), '/', '\\');
    return p;
}

std::string parentOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash);
}

std::string leafOf(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// What the boot sector says about the clusters, read straight from the image file.
struct DiskShape {
    uint32_t clusterBytes = 0, fatOffset = 0, clusterCount = 0;
};

DiskShape shapeOf(const std::vector<uint8_t>& image) {
    auto le16 = [&](size_t at) { return static_cast<uint32_t>(image[at] | image[at + 1] << 8); };
    const uint32_t bps = le16(11), spc = image[13], reserved = le16(14), fats = image[16];
    const uint32_t rootSectors = (le16(17) * 32 + bps - 1) / bps;
    const uint32_t firstData = reserved + fats * le16(22) + rootSectors;
    return {bps * spc, reserved * bps, (le16(19) - firstData) / spc};
}

std::vector<uint8_t> readPrefix(const fs::path& path, size_t count) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes(count);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<size_t>(in.gcount()));
    return bytes;
}

// Free clusters counted in the image's first table on disk, not in the library's memory.
uint32_t freeClustersOnDisk(const fs::path& image) {
    const std::vector<uint8_t> head = readPrefix(image, 512);
    const DiskShape shape = shapeOf(head);
    const std::vector<uint8_t> fat =
        readPrefix(image, shape.fatOffset + (shape.clusterCount + 2) * 3 / 2 + 2);
    uint32_t free = 0;
    for (uint32_t c = 2; c < shape.clusterCount + 2; ++c) {
        const size_t at = shape.fatOffset + c * 3 / 2;
        const uint32_t pair = fat[at] | fat[at + 1] << 8;
        if ((c & 1 ? pair >> 4 : pair & 0xFFF) == 0) ++free;
    }
    return free;
}

uint32_t clusterBytesOf(const fs::path& image) {
    return shapeOf(readPrefix(image, 512)).clusterBytes;
}

// Everything fsck.fat says beyond its banner and its summary line.
std::vector<std::string> fsckComplaints(const fs::path& image, int& exitCode) {
    const testing_support::CommandResult r = run("fsck.fat -n " + quote(image.string()));
    exitCode = r.exitCode;
    std::vector<std::string> complaints;
    for (const std::string& line : linesOf(r.output)) {
        if (line.empty() || line.rfind("fsck.fat ", 0) == 0 || line.rfind(image.string() + ": ", 0) == 0)
            continue;
        complaints.push_back(line);
    }
    return complaints;
}

void expectFsckClean(const fs::path& image, const std::string& context) {
    int exitCode = 0;
    const std::vector<std::string> complaints = fsckComplaints(image, exitCode);
    EXPECT_EQ(exitCode, 0) << context;
    EXPECT_EQ(complaints, std::vector<std::string>{}) << context;
}

void expectFreeSpaceTrue(ImageState& s, const fs::path& image, const std::string& context) {
    uint32_t freeBytes = 0;
    ASSERT_EQ(s.FreeSpace(&freeBytes), 0) << context;
    EXPECT_EQ(freeBytes, freeClustersOnDisk(image) * clusterBytesOf(image)) << context;
}

// What one side has and the other lacks (or holds differently), rather than both sides whole.
std::string differences(const std::map<std::string, std::string>& got,
                        const std::map<std::string, std::string>& want) {
    std::string text;
    for (const auto& [key, value] : got) {
        const auto it = want.find(key);
        if (it == want.end() || it->second != value) text += "\n  unexpected: " + key + " " + value;
    }
    for (const auto& [key, value] : want) {
        const auto it = got.find(key);
        if (it == got.end() || it->second != value) text += "\n  missing:    " + key + " " + value;
    }
    return text;
}

std::string attributeText(uint8_t a) {
    std::string t;
    for (auto [bit, letter] :
         {std::pair{attr::kArchive, 'A'}, {attr::kSystem, 'S'}, {attr::kHidden, 'H'}, {attr::kReadOnly, 'R'}})
        t += a & bit ? letter : '-';
    return t;
}

// The tree as mtools sees it: names from mdir, bytes from mcopy, attributes from mattrib.
void expectToolsSee(const fs::path& image, const Tree& tree, const fs::path& scratch,
                    const std::string& context) {
    const std::string img = quote(image.string());
    std::map<std::string, std::string> wantNames, wantContents, wantAttributes;
    for (const auto& [path, item] : tree) {
        wantNames["::/" + path + (item.directory ? "/" : "")] = "1";
        wantContents[path] = item.directory ? "folder" : std::to_string(item.bytes.size()) + " bytes";
        wantAttributes[path] = attributeText(item.attributes);
    }

    const testing_support::CommandResult listing = run("mdir -/ -b -a -i " + img + " ::");
    ASSERT_EQ(listing.exitCode, 0) << context << "\n" << listing.output;
    std::map<std::string, std::string> names;
    for (const std::string& line : linesOf(listing.output)) {
        names[line] = std::to_string(std::stoi(names[line].empty() ? "0" : names[line]) + 1);
    }
    EXPECT_EQ(names, wantNames) << context << ": mdir" << differences(names, wantNames);

    const fs::path out = scratch / "out";
    fs::remove_all(out);
    fs::create_directories(out);
    const testing_support::CommandResult copied =
        run("mcopy -s -n -i " + img + " :: " + quote(out.string() + "/"));
    ASSERT_EQ(copied.exitCode, 0) << context << "\n" << copied.output;
    std::map<std::string, std::string> contents;
    for (const auto& e : fs::recursive_directory_iterator(out)) {
        const std::string path = fs::relative(e.path(), out).string();
        if (e.is_directory()) {
            contents[path] = "folder";
            continue;
        }
        const std::vector<uint8_t> bytes = readFile(e.path());
        const auto it = tree.find(path);
        const bool same = it != tree.end() && it->second.bytes == bytes;
        contents[path] =
            std::to_string(bytes.size()) + " bytes" + (same || it == tree.end() ? "" : " that differ");
    }
    EXPECT_EQ(contents, wantContents) << context << ": mcopy" << differences(contents, wantContents);

    // mattrib prints "  A  SHR     ::/path": archive, system, hidden, read-only in fixed columns.
    const testing_support::CommandResult attrib = run("mattrib -/ -i " + img + " ::");
    ASSERT_EQ(attrib.exitCode, 0) << context << "\n" << attrib.output;
    std::map<std::string, std::string> attributes;
    for (const std::string& line : linesOf(attrib.output)) {
        if (line.size() <= 16 || line.substr(13, 3) != "::/") continue;
        uint8_t a = 0;
        if (line[2] == 'A') a |= attr::kArchive;
        if (line[5] == 'S') a |= attr::kSystem;
        if (line[6] == 'H') a |= attr::kHidden;
        if (line[7] == 'R') a |= attr::kReadOnly;
        attributes[line.substr(16)] = attributeText(a);
    }
    EXPECT_EQ(attributes, wantAttributes)
        << context << ": mattrib" << differences(attributes, wantAttributes);
}

// Names of the kinds that trip up name handling, unique within their folder whatever their case.
class NameMaker {
  public:
    explicit NameMaker(std::mt19937& rng) : rng_(rng) {}

    std::string next(std::set<std::string>& taken) {
        for (;;) {
            std::string name = candidate();
            if (taken.insert(platform::lowerCaseUtf8(name)).second) return name;
        }
    }

  private:
    size_t below(size_t n) { return rng_() % n; }
    template <typename T>
    const T& pick(const std::vector<T>& v) {
        return v[below(v.size())];
    }
    std::string from(std::string_view chars, size_t count) {
        std::string s;
        for (size_t i = 0; i < count; ++i) s += chars[below(chars.size())];
        return s;
    }

    std::string candidate() {
        static const std::vector<std::string> words = {
            "report", "Draft", "final version", "Notes", "photo", "Backup copy",
            "data",   "Q3",    "letter to Ann", "x"};
        static const std::vector<std::string> czech = {"Příliš",   "žluťoučký", "kůň",   "úpěl",
                                                       "ďábelské", "ódy",       "návrh", "řeřicha",
                                                       "Šípek",    "čtvrtletí", "účet",  "Dům"};
        static const std::vector<std::string> extensions = {".txt",  ".dat",  ".Bin", "",
                                                            ".html", ".jpeg", ".c"};
        constexpr std::string_view upper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-$#&!";
        constexpr std::string_view lower = "abcdefghijklmnopqrstuvwxyz0123456789";
        switch (below(8)) {
            case 0: {  // stored as a plain 8.3 name
                std::string base = from(upper, 1 + below(8));
                const size_t ext = below(4);
                return ext ? base + "." + from(upper, ext) : base;
            }
            case 1: {
                std::string name = pick(words);
                for (size_t i = below(4); i > 0; --i)
                    name += pick(std::vector<std::string>{" ", "-", "_"}) + pick(words);
                return name + pick(extensions);
            }
            case 2: {
                std::string name = pick(czech);
                for (size_t i = below(3); i > 0; --i) name += " " + pick(czech);
                return name + pick(std::vector<std::string>{".txt", ".doc", ""});
            }
            case 3: {  // around the 13 characters of one long-name part
                const size_t length = pick(std::vector<size_t>{12, 13, 14, 25, 26, 27});
                return below(2) ? from(lower, length) : from(lower, length - 4) + ".txt";
            }
            case 4: {  // blanks and "+" that fit 8.3 otherwise
                std::string base =
                    from(upper, 1 + below(3)) + (below(2) ? " " : "+") + from(upper, 1 + below(3));
                return below(2) ? base + "." + from(upper, 1 + below(3)) : base;
            }
            case 5:
                return pick(std::vector<std::string>{"C++ notes", "a + b", "x+y", "plus+", "two  blanks"}) +
                       from(lower, 1 + below(3)) + pick(extensions);
            case 6:  // fits 8.3 but lower case
                return from(lower, 1 + below(8)) + "." + from(lower, 1 + below(3));
            default: {  // several long-name parts
                std::string name = pick(words);
                while (name.size() < 40 + below(60)) name += " " + pick(below(3) ? words : czech);
                return name + pick(extensions);
            }
        }
    }

    std::mt19937& rng_;
};

size_t sizeFor(std::mt19937& rng, uint32_t cluster) {
    switch (rng() % 6) {
        case 0:
            return 0;
        case 1:
            return cluster * (1 + rng() % 3);  // whole clusters
        case 2:
            return 1 + rng() % (cluster - 1);
        case 3:
            return cluster * (1 + rng() % 3) + (rng() % 2 ? 1 : cluster - 1);
        case 4:
            return rng() % (8 * cluster);
        default:
            return rng() % 2 ? 20000 + rng() % 5000 : rng() % 3000;
    }
}

size_t slotsFor(const std::string& name) {
    return name.size() / 13 + 2;
}  // bytes over-count units: safe side

// Adds random folders and files below the tree's folders, names unique in their folder whatever their case,
// as long as the root keeps some slots free and the new files stay within a byte budget. Returns their paths.
std::vector<std::string> growTree(Tree& tree, std::mt19937& rng, uint32_t cluster, size_t rootSlots,
                                  int folderCount, int fileCount, size_t budget) {
    NameMaker names(rng);
    std::map<std::string, std::set<std::string>> taken;
    std::vector<std::string> folders = {""};
    size_t usedRootSlots = 0;
    for (const auto& [path, item] : tree) {
        taken[parentOf(path)].insert(platform::lowerCaseUtf8(leafOf(path)));
        if (item.directory) folders.push_back(path);
        if (parentOf(path).empty()) usedRootSlots += slotsFor(path);
    }
    std::vector<std::string> added;
    auto place = [&](const std::string& folder, bool directory, size_t size) {
        const std::string name = names.next(taken[folder]);
        if (folder.empty() && (usedRootSlots += slotsFor(name)) > rootSlots) return false;
        const std::string path = folder.empty() ? name : folder + "/" + name;
        tree[path] = {directory, patternBytes(size, static_cast<uint32_t>(rng())),
                      uint8_t(directory ? attr::kDirectory : attr::kArchive)};
        added.push_back(path);
        if (directory) folders.push_back(path);
        return true;
    };
    for (int i = 0; i < folderCount; ++i) {
        const std::string parent = folders[rng() % folders.size()];
        if (std::count(parent.begin(), parent.end(), '/') < 2) place(parent, true, 0);
    }
    for (int i = 0; i < fileCount; ++i) {
        const size_t size = sizeFor(rng, cluster);
        if (size > budget) break;
        if (place(folders[rng() % folders.size()], false, size)) budget -= size;
    }
    return added;
}

// A reproducible tree: fixed names that once broke something, twelve names sharing one alias base, and
// random folders and files.
Tree makeTree(std::mt19937& rng, uint32_t cluster, size_t rootSlots) {
    Tree tree;
    for (const char* name :
         {"README.TXT", "Příliš žluťoučký kůň.txt", "návrh.txt", "twelve_chars", "thirteen_char",
          "twenty-six-characters-long", "žluťoučký.txt", "A B.TXT", "X+Y.DAT", "ab.txt", "EMPTY"}) {
        const size_t size = std::string_view(name) == "EMPTY" ? 0 : sizeFor(rng, cluster);
        tree[name] = {false, patternBytes(size, static_cast<uint32_t>(rng())), attr::kArchive};
    }
    tree["Collisions"] = {true, {}, attr::kDirectory};
    for (int i = 1; i <= 12; ++i) {
        tree["Collisions/Long name number " + std::to_string(i) + ".txt"] = {false, patternBytes(i * 100, i),
                                                                             attr::kArchive};
    }
    tree["Collisions/readme.txt folder"] = {true, {}, attr::kDirectory};
    tree["Collisions/readme.txt folder/readme.txt"] = {false, patternBytes(cluster, 13), attr::kArchive};
    growTree(tree, rng, cluster, rootSlots, 6, 45, 250000);
    return tree;
}

// Copies the tree in through the library in a shuffled order, creating missing folders on the way, and using
// each way of naming the target: a full path, a folder path ending with "\", or a bare name in the working
// directory.
void copyIn(ImageState& s, const Tree& tree, std::vector<std::string> order, const fs::path& host,
            std::mt19937& rng) {
    std::shuffle(order.begin(), order.end(), rng);
    std::set<std::string> made = {""};
    for (const auto& [path, item] : tree) {
        if (std::find(order.begin(), order.end(), path) == order.end()) made.insert(path);
    }
    std::function<void(const std::string&)> make = [&](const std::string& path) {
        if (made.count(path)) return;
        make(parentOf(path));
        const Item& item = tree.at(path);
        const std::string parent = parentOf(path);
        const int form = static_cast<int>(rng() % 3);
        if (form == 2) {
            ASSERT_EQ(s.SetFWrkDir(imagePathOf(parent)), 0) << parent;
        }
        if (item.directory) {
            const std::string target = form == 0   ? imagePathOf(path)
                                       : form == 1 ? imagePathOf(path) + "\\"
                                                   : leafOf(path);
            ASSERT_EQ(s.MkDir(target), 0) << target;
        } else {
            const fs::path source = host / path;
            fs::create_directories(source.parent_path());
            testing_support::writeFile(source, item.bytes);
            const std::string target = form == 0   ? imagePathOf(path)
                                       : form == 1 ? (parent.empty() ? "\\" : imagePathOf(parent) + "\\")
                                                   : leafOf(path);
            ASSERT_EQ(s.CopyT(source.string(), target), 0) << target;
        }
        made.insert(path);
    };
    for (const std::string& path : order) {
        make(path);
        if (::testing::Test::HasFatalFailure()) return;
    }
}

struct Case {
    int kilobytes;
    uint32_t seed;
};

class WriteInterop : public ::testing::TestWithParam<Case> {
  protected:
    void reopen() { ASSERT_EQ(s.OpenFDImg(image.string(), 1), 0); }
    // mtools and fsck.fat read the file while the library has it closed (and unlocked).
    void checkWithTools(const Tree& tree, const std::string& context) {
        ASSERT_EQ(s.CloseFDImg(), 0);
        expectFsckClean(image, context);
        expectToolsSee(image, tree, dir.path(), context);
        reopen();
    }

    ScratchDir dir;
    fs::path image = dir / "img.img";
    ImageState s;
};

TEST_P(WriteInterop, RandomTreesSurviveCopyDeleteAttributesAndLabels) {
    const Case c = GetParam();
    SCOPED_TRACE("seed " + std::to_string(c.seed) + ", " + std::to_string(c.kilobytes) + " KB");
    testing_support::makeFatImage(image, c.kilobytes);
    const uint32_t cluster = clusterBytesOf(image);
    const size_t rootSlots = c.kilobytes == 1440 ? 180 : 90;
    std::mt19937 rng(c.seed);
    Tree tree = makeTree(rng, cluster, rootSlots);
    std::vector<std::string> all;
    for (const auto& [path, item] : tree) all.push_back(path);

    reopen();
    copyIn(s, tree, all, dir / "host", rng);
    if (HasFatalFailure()) return;
    expectFreeSpaceTrue(s, image, "after copying in");
    checkWithTools(tree, "after copying in");
    if (HasFatalFailure()) return;

    // Deletes: a third of the files, then whole folders from their leaves up.
    std::vector<std::string> files, folders;
    for (const auto& [path, item] : tree) (item.directory ? folders : files).push_back(path);
    std::shuffle(files.begin(), files.end(), rng);
    for (size_t i = 0; i < files.size() / 3; ++i) {
        ASSERT_EQ(s.KillF(imagePathOf(files[i]), 0), 0) << files[i];
        tree.erase(files[i]);
    }
    std::shuffle(folders.begin(), folders.end(), rng);
    for (size_t i = 0; i < folders.size() / 2; ++i) {
        const std::string folder = folders[i];
        if (!tree.count(folder)) continue;
        std::vector<std::string> inside;
        for (const auto& [path, item] : tree) {
            if (path.rfind(folder + "/", 0) == 0) inside.push_back(path);
        }
        if (!inside.empty()) {
            EXPECT_EQ(s.KillF(imagePathOf(folder), 0), 2) << folder;
        }
        // Deepest first, so that every folder is empty when its turn comes.
        std::sort(inside.begin(), inside.end(),
                  [](const std::string& a, const std::string& b) { return a > b; });
        inside.push_back(folder);
        for (const std::string& path : inside) {
            ASSERT_EQ(s.KillF(imagePathOf(path), 0), 0) << path;
            tree.erase(path);
        }
    }
    expectFreeSpaceTrue(s, image, "after deleting");
    checkWithTools(tree, "after deleting");
    if (HasFatalFailure()) return;

    // Attributes: the argument's other bits must not reach the entry.
    std::vector<std::string> left;
    for (const auto& [path, item] : tree) left.push_back(path);
    std::shuffle(left.begin(), left.end(), rng);
    for (size_t i = 0; i < left.size() / 2; ++i) {
        const auto attributes = static_cast<uint8_t>(rng());
        Item& item = tree[left[i]];
        ASSERT_EQ(s.SetAttrib(imagePathOf(left[i]), attributes), 0) << left[i];
        item.attributes =
            static_cast<uint8_t>((item.directory ? attr::kDirectory : 0) | (attributes & attr::kCarried));
    }
    checkWithTools(tree, "after setting attributes");
    if (HasFatalFailure()) return;

    // Protected files need force; unprotected ones go either way.
    for (size_t i = 0; i < left.size() / 2; ++i) {
        const std::string& path = left[i];
        if (tree[path].directory) continue;
        const bool guarded = tree[path].attributes & 0x07;
        if (guarded) {
            EXPECT_EQ(s.KillF(imagePathOf(path), 0), 1) << path;
        }
        ASSERT_EQ(s.KillF(imagePathOf(path), 1), 0) << path;
        tree.erase(path);
    }
    expectFreeSpaceTrue(s, image, "after forced deletes");
    checkWithTools(tree, "after forced deletes");
    if (HasFatalFailure()) return;

    // More files into the gaps: freed clusters are reused out of order, freed slots next to live ones.
    uint32_t freeBytes = 0;
    ASSERT_EQ(s.FreeSpace(&freeBytes), 0);
    const std::vector<std::string> added = growTree(tree, rng, cluster, rootSlots, 3, 30, freeBytes / 2);
    copyIn(s, tree, added, dir / "host", rng);
    if (HasFatalFailure()) return;
    expectFreeSpaceTrue(s, image, "after copying into the gaps");
    checkWithTools(tree, "after copying into the gaps");
    if (HasFatalFailure()) return;

    // Labels: set, replace, cut to 11, remove. fsck.fat also wants the boot sector's copy to agree.
    for (const std::string label : {"ORVA DISK", "NEW-LABEL_2", "TWELVE CHARS+", "", "X", "", "LAST ONE"}) {
        ASSERT_EQ(s.WriteVol(label), 0) << label;
        checkWithTools(tree, "label '" + label + "'");
        if (HasFatalFailure()) return;
        std::string stored = label.substr(0, std::min<size_t>(label.size(), 11));
        const std::string shown = run("mlabel -s -i " + quote(image.string()) + " ::").output;
        EXPECT_EQ(shown.substr(0, shown.find_last_not_of(" \n") + 1),
                  stored.empty() ? " Volume has no label" : " Volume label is " + stored)
            << label;
    }

    // Another disk's boot sector (with the label copy made to agree) must leave this disk readable as it was.
    testing_support::makeFatImage(dir / "other.img", 360, "LAST ONE");
    std::vector<uint8_t> boot = readFile(dir / "other.img");
    boot.resize(512);
    ASSERT_EQ(s.WriteBoot(boot.data()), 0);
    checkWithTools(tree, "foreign boot sector");
}

INSTANTIATE_TEST_SUITE_P(Seeds, WriteInterop,
                         ::testing::Values(Case{1440, 1}, Case{1440, 2}, Case{1440, 3}, Case{720, 4},
                                           Case{720, 5}, Case{720, 6}),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return "Kb" + std::to_string(info.param.kilobytes) + "Seed" +
                                    std::to_string(info.param.seed);
                         });

// Deleting every file of a folder that mtools filled leaves no slot of any group live, also of the groups
// that begin in one folder cluster and end in the next. Name lengths give groups of 3, 4, 5 and 9 slots.
TEST(DeleteMtoolsEntries, GroupsAcrossClusterEndsGoWhole) {
    for (int kilobytes : {1440, 720}) {
        for (size_t length : {22u, 30u, 40u, 100u}) {
            const std::string context = std::to_string(kilobytes) + " KB, names of " + std::to_string(length);
            ScratchDir dir;
            const fs::path image = dir / "img.img";
            testing_support::makeFatImage(image, kilobytes);
            std::vector<std::string> names;
            for (int i = 0; i < 20; ++i) {
                std::string name = "Straddle " + std::to_string(100 + i) + " ";
                name += std::string(length - name.size() - 2, 'x') + ".t";
                names.push_back(name);
                fs::create_directories(dir / "tree" / "Dir");
                testing_support::writeFile(dir / "tree" / "Dir" / name, std::string("x"));
            }
            testing_support::mcopyTree(image, dir / "tree");
            ImageState s;
            ASSERT_EQ(s.OpenFDImg(image.string(), 1), 0);
            for (const std::string& name : names)
                ASSERT_EQ(s.KillF("\\Dir\\" + name, 0), 0) << context << ": " << name;
            ASSERT_EQ(s.CloseFDImg(), 0);
            expectFsckClean(image, context);
            EXPECT_EQ(run("mdir -/ -b -a -i " + quote(image.string()) + " ::").output, "::/Dir/\n")
                << context;
        }
    }
}

// Entries that mtools wrote, with long-name groups that run over from one folder cluster into the next (the
// library never splits a group it writes): changing, deleting and reusing them must keep the image clean.
class EditsOfMtoolsEntries : public ::testing::TestWithParam<int> {};

TEST_P(EditsOfMtoolsEntries, GroupsAcrossClusterEndsAreFoundWhole) {
    ScratchDir dir;
    const fs::path image = dir / "img.img";
    testing_support::makeFatImage(image, GetParam(), "MTOOLS");
    const uint32_t cluster = clusterBytesOf(image);
    Tree tree;
    tree["Dir"] = {true, {}, attr::kDirectory};
    // 22 characters: two parts and the 8.3 entry, so that after "." and ".." every few groups one straddles.
    for (int i = 0; i < 40; ++i) {
        const std::string name = "Straddling name no" + std::to_string(100 + i) + ".t";
        tree["Dir/" + name] = {false, patternBytes(i * 37 % 3 * cluster + i, i), attr::kArchive};
    }
    tree["Dir/" + std::string(100, 'w') + ".txt"] = {false, patternBytes(10, 99), attr::kArchive};
    tree["Dir/Příliš žluťoučký kůň úpěl ďábelské ódy.txt"] = {false, patternBytes(cluster + 1, 98),
                                                              attr::kArchive};
    for (const auto& [path, item] : tree) {
        if (item.directory) {
            fs::create_directories(dir / "tree" / path);
        } else {
            testing_support::writeFile(dir / "tree" / path, item.bytes);
        }
    }
    testing_support::mcopyTree(image, dir / "tree");

    std::mt19937 rng(static_cast<uint32_t>(GetParam()));
    ImageState s;
    ASSERT_EQ(s.OpenFDImg(image.string(), 1), 0);
    std::vector<std::string> files;
    for (const auto& [path, item] : tree) {
        if (!item.directory) files.push_back(path);
    }
    for (const std::string& path : files) {
        switch (rng() % 3) {
            case 0: {
                const auto attributes = static_cast<uint8_t>(rng() & attr::kCarried);
                ASSERT_EQ(s.SetAttrib(imagePathOf(path), attributes), 0) << path;
                tree[path].attributes = attributes;
                break;
            }
            case 1:
                ASSERT_EQ(s.KillF(imagePathOf(path), 1), 0) << path;
                tree.erase(path);
                break;
            default:
                break;
        }
    }
    // New entries fill the holes, some of them across the cluster ends.
    std::vector<std::string> added;
    for (int i = 0; i < 15; ++i) {
        const std::string path =
            "Dir/New file " + std::to_string(i) + (i % 3 ? ".txt" : " with a longer name.txt");
        tree[path] = {false, patternBytes(static_cast<size_t>(i) * 50, 200 + i), attr::kArchive};
        added.push_back(path);
    }
    tree["Dir/NEWDIR"] = {true, {}, attr::kDirectory};
    added.push_back("Dir/NEWDIR");
    copyIn(s, tree, added, dir / "host", rng);
    if (HasFatalFailure()) return;
    expectFreeSpaceTrue(s, image, "after edits");
    ASSERT_EQ(s.CloseFDImg(), 0);
    expectFsckClean(image, "after edits");
    expectToolsSee(image, tree, dir.path(), "after edits");
}

INSTANTIATE_TEST_SUITE_P(FloppySizes, EditsOfMtoolsEntries, ::testing::Values(1440, 720));

std::string repeat(const std::string& text, size_t times) {
    std::string out;
    for (size_t i = 0; i < times; ++i) out += text;
    return out;
}

// A long name takes one part per 13 UTF-16 units, however many bytes its UTF-8 form has, plus the 8.3 entry;
// 255 units (20 parts) is the most a name may have. Characters beyond the BMP take two units each. In a
// folder of 16-slot clusters the longest groups run on into the next cluster.
TEST(WriteInteropNames, LongNamePartsCountUtf16Units) {
    ScratchDir dir;
    const fs::path image = dir / "img.img";
    testing_support::makeFatImage(image, 1440);
    struct Row {
        std::string name;
        int32_t result;
        int32_t slots;
    } rows[] = {{"README.TXT", 0, 1},
                {"twelve_chars", 0, 2},
                {"thirteen_char", 0, 2},
                {"fourteen_chars", 0, 3},
                {"žluťoučký.txt", 0, 2},
                {"Příliš žluťoučký kůň.txt", 0, 3},
                {std::string(26, 'x'), 0, 3},
                {std::string(27, 'y'), 0, 4},
                {"ab.txt", 0, 2},
                {"Emoji \U0001F600 name.txt", 0, 3},
                {std::string(156, 'a'), 0, 13},
                {std::string(157, 'b'), 0, 14},
                {std::string(254, 'c'), 0, 21},
                {std::string(255, 'd'), 0, 21},
                {std::string(256, 'e'), result::kNameTooLong, 0},
                {repeat("ž", 255), 0, 21},
                {repeat("č", 256), result::kNameTooLong, 0},
                {repeat("\U0001F600", 127), 0, 21},
                {repeat("\U0001F601", 128), result::kNameTooLong, 0}};
    ImageState s;
    ASSERT_EQ(s.OpenFDImg(image.string(), 1), 0);
    ASSERT_EQ(s.MkDir("\\SUB"), 0);
    std::set<std::string> listed{"::/SUB/"};
    testing_support::writeFile(dir / "f", std::string("x"));
    for (const std::string folder : {"", "SUB/"}) {
        for (const Row& r : rows) {
            const std::string path = imagePathOf(folder + r.name);
            ASSERT_EQ(s.CopyT((dir / "f").string(), path), r.result) << folder << r.name;
            if (r.result != 0) continue;
            // mtools 4.0.32 shows a character beyond the BMP as "__", so those names are left to fsck.fat.
            if (r.name.find("\xF0\x9F") == std::string::npos) listed.insert("::/" + folder + r.name);
            DirEntry* e = nullptr;
            int32_t slots = 0;
            ASSERT_EQ(s.GetFDirEntry(path, &e, &slots, nullptr), 0) << folder << r.name;
            EXPECT_EQ(slots, r.slots) << folder << r.name;
        }
    }
    ASSERT_EQ(s.CloseFDImg(), 0);
    expectFsckClean(image, "names");
    std::set<std::string> shown;
    for (const std::string& line : linesOf(run("mdir -/ -b -a -i " + quote(image.string()) + " ::").output)) {
        if (line.find("__") == std::string::npos) shown.insert(line);
    }
    EXPECT_EQ(shown, listed);
}

// Copying until the disk or a directory is full: every refusal leaves a clean file system, and FreeSpace
// stays what the table on disk says.
class FullImage : public ::testing::TestWithParam<int> {};

TEST_P(FullImage, RefusalsLeaveACleanImageAndTrueFreeSpace) {
    ScratchDir dir;
    const fs::path image = dir / "img.img";
    testing_support::makeFatImage(image, GetParam());
    const uint32_t cluster = clusterBytesOf(image);
    std::mt19937 rng(static_cast<uint32_t>(GetParam()));
    ImageState s;
    ASSERT_EQ(s.OpenFDImg(image.string(), 1), 0);
    Tree tree;
    ASSERT_EQ(s.MkDir("\\Fill"), 0);
    tree["Fill"] = {true, {}, attr::kDirectory};
    int counter = 0;
    // Returns the library's result; a copied file joins the tree.
    auto copy = [&](const std::string& folder, size_t size, bool longName) {
        // The number leads, so that the aliases do not all share one base.
        const std::string name = longName ? std::to_string(++counter) + " filler file.bin"
                                          : "F" + std::to_string(++counter) + ".BIN";
        const std::string path = folder.empty() ? name : folder + "/" + name;
        const std::vector<uint8_t> bytes = patternBytes(size, static_cast<uint32_t>(counter));
        testing_support::writeFile(dir / "src", bytes);
        const int32_t r = s.CopyT((dir / "src").string(), imagePathOf(path));
        if (r == 0) tree[path] = {false, bytes, attr::kArchive};
        expectFreeSpaceTrue(s, image, "after " + path + " gave " + std::to_string(r));
        return r;
    };

    int32_t r = 0;
    // Bounded, so that a library that never says "full" fails instead of spinning.
    auto until = [&](auto step) {
        for (int i = 0; i < 4000; ++i) {
            if ((r = step()) != 0) return;
        }
        ADD_FAILURE() << "never refused";
    };
    until([&] { return copy("Fill", (1 + rng() % 40) * cluster - rng() % cluster, true); });
    EXPECT_TRUE(r == 1 || r == 2) << r;
    // Whatever is still free, in exactly that many bytes; the folder may need a cluster of it for the entry.
    uint32_t freeBytes = 0;
    ASSERT_EQ(s.FreeSpace(&freeBytes), 0);
    if (freeBytes > 0) {
        r = copy("Fill", freeBytes, false);
        EXPECT_TRUE(r == 0 || r == 1) << r;
    }
    until([&] { return copy("Fill", 1, false); });
    EXPECT_TRUE(r == 1 || r == 2) << r;
    ASSERT_EQ(s.FreeSpace(&freeBytes), 0);
    EXPECT_EQ(freeBytes, 0u);
    // Empty files need only slots: the folder fills its last cluster and then cannot grow.
    until([&] { return copy("Fill", 0, true); });
    EXPECT_EQ(r, 2);
    EXPECT_EQ(s.MkDir("\\No room"), 3);
    EXPECT_EQ(s.MkDir("\\Fill\\No room"), 3);
    expectFreeSpaceTrue(s, image, "after refused folders");
    // The root is full when its slots are, whatever the disk holds.
    until([&] { return copy("", 0, true); });
    EXPECT_EQ(r, 2);
    until([&] { return copy("", 0, false); });  // single slots may still fit where a long name did not
    EXPECT_EQ(r, 2);
    EXPECT_EQ(s.MkDir("\\NOROOM"), 3);

    ASSERT_EQ(s.CloseFDImg(), 0);
    expectFsckClean(image, "full image");
    expectToolsSee(image, tree, dir.path(), "full image");

    // Deleting makes room again, and the room is used.
    ASSERT_EQ(s.OpenFDImg(image.string(), 1), 0);
    std::vector<std::string> filler;
    for (const auto& [path, item] : tree) {
        if (path.rfind("Fill/", 0) == 0 && item.bytes.size() > 4 * cluster) filler.push_back(path);
    }
    ASSERT_GE(filler.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        ASSERT_EQ(s.KillF(imagePathOf(filler[i]), 0), 0);
        tree.erase(filler[i]);
    }
    expectFreeSpaceTrue(s, image, "after making room");
    ASSERT_EQ(s.FreeSpace(&freeBytes), 0);
    EXPECT_EQ(copy("Fill", freeBytes, true), 0);
    ASSERT_EQ(s.CloseFDImg(), 0);
    expectFsckClean(image, "refilled");
    expectToolsSee(image, tree, dir.path(), "refilled");
}

INSTANTIATE_TEST_SUITE_P(FloppySizes, FullImage, ::testing::Values(1440, 720));

// A folder of many names that share one alias base runs through the 50 character tails into numeric ones;
// mtools must take every alias for a name of its own and find each file by it.
TEST(ManySimilarNames, EveryAliasIsDistinctAndFoundByMtools) {
    ScratchDir dir;
    const fs::path image = dir / "img.img";
    testing_support::makeFatImage(image, 1440);
    constexpr int kFiles = 300;
    auto nameOf = [](int i) {
        const std::string number = std::to_string(i);
        return "Holiday photo " + std::string(3 - number.size(), '0') + number + ".jpeg";
    };
    Tree tree;
    tree["Holiday"] = {true, {}, attr::kDirectory};
    ImageState s;
    ASSERT_EQ(s.OpenFDImg(image.string(), 1), 0);
    ASSERT_EQ(s.MkDir("\\Holiday"), 0);
    for (int i = 1; i <= kFiles; ++i) {
        const std::string path = "Holiday/" + nameOf(i);
        const std::vector<uint8_t> bytes =
            patternBytes(100 + static_cast<size_t>(i) * 7, static_cast<uint32_t>(i));
        testing_support::writeFile(dir / "src", bytes);
        ASSERT_EQ(s.CopyT((dir / "src").string(), imagePathOf(path)), 0) << path;
        tree[path] = {false, bytes, attr::kArchive};
    }
    ASSERT_EQ(s.CloseFDImg(), 0);
    expectFsckClean(image, "many similar names");
    expectToolsSee(image, tree, dir.path(), "many similar names");

    // mdir's short-name columns: the aliases in the order the files came, none of them twice.
    const testing_support::CommandResult listing = run("mdir -i " + quote(image.string()) + " ::/Holiday");
    ASSERT_EQ(listing.exitCode, 0) << listing.output;
    std::map<std::string, std::string> aliasOf;  // long name -> alias as mtools shows it
    for (const std::string& line : linesOf(listing.output)) {
        const size_t at = line.find("Holiday photo ");
        if (at == std::string::npos || line.size() < 12) continue;
        // The 8.3 columns: the base, a blank, the extension.
        aliasOf[line.substr(at)] = storedShortName(
            shortNameFrom(line.substr(0, kBaseBytes), line.substr(kBaseBytes + 1, kExtensionBytes)));
    }
    std::map<std::string, std::string> want;
    for (int i = 1; i <= kFiles; ++i) want[nameOf(i)] = *aliasCandidate(nameOf(i), i - 1);
    EXPECT_EQ(aliasOf, want) << differences(aliasOf, want);

    // Files found by their aliases across the boundaries of the sequence read back whole.
    for (int i : {1, 50, 51, 140, 141, kFiles}) {
        const std::string alias = *aliasCandidate(nameOf(i), i - 1);
        const testing_support::CommandResult typed =
            run("mtype -i " + quote(image.string()) + " " + quote("::/Holiday/" + alias));
        ASSERT_EQ(typed.exitCode, 0) << alias << "\n" << typed.output;
        const std::vector<uint8_t>& bytes = tree.at("Holiday/" + nameOf(i)).bytes;
        EXPECT_EQ(typed.output, std::string(bytes.begin(), bytes.end())) << alias;
    }
}

}  // namespace
}  // namespace orva
