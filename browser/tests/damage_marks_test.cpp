// Marks on the image tree for what a rescue left unread, from a GNU ddrescue map beside the image.
#include <filesystem>
#include <functional>
#include <sstream>
#include <utility>

#include "browser/message_table.h"
#include "browser_fixture.h"

namespace browser::testing {
namespace {

namespace fs = std::filesystem;

// The 1.44 MB layout: boot sector, two tables of 9 sectors, 14 sectors of root folder, then the data.
constexpr uint64_t kSector = 512;
constexpr uint64_t kImageBytes = 2880 * kSector;
constexpr uint64_t kSecondTable = 10 * kSector;
constexpr uint64_t kRootFolder = 19 * kSector;
constexpr uint64_t kFirstData = 33 * kSector;

struct Stretch {
    uint64_t pos;
    uint64_t size;
    char status;
};

// The map text as ddrescue writes it: finished everywhere but the given stretches (in order).
std::string mapText(const std::vector<Stretch>& hurt) {
    std::ostringstream out;
    out << "# Mapfile. Created by a test\n# current_pos  current_status  current_pass\n0x00000000     +               1\n"
        << "#      pos        size  status\n";
    uint64_t at = 0;
    for (const Stretch& s : hurt) {
        if (s.pos > at) out << std::hex << "0x" << at << "  0x" << s.pos - at << "  +\n";
        out << std::hex << "0x" << s.pos << "  0x" << s.size << "  " << s.status << "\n";
        at = s.pos + s.size;
    }
    if (at < kImageBytes) out << std::hex << "0x" << at << "  0x" << kImageBytes - at << "  +\n";
    return out.str();
}

class DamageMarksTest : public BrowserTest {
  protected:
    // DOCS\OLD\2001 holds HURT.BIN (3000 bytes: six clusters) and CLEAN.TXT; TOP.TXT lies in the root.
    std::string diskImage() {
        const fs::path files = scratch / "files";
        fs::create_directories(files / "DOCS" / "OLD" / "2001");
        testing_support::writeFile(files / "DOCS" / "OLD" / "2001" / "HURT.BIN", testing_support::patternBytes(3000, 1));
        testing_support::writeFile(files / "DOCS" / "OLD" / "2001" / "CLEAN.TXT", std::string("clean"));
        testing_support::writeFile(files / "TOP.TXT", std::string("top"));
        const std::string image = makeImage("disk.img", "RESCUED", files.string());
        fs::remove_all(files);
        return image;
    }

    // The clusters mtools gives an item, in chain order.
    std::vector<uint64_t> clustersOf(const std::string& image, const std::string& path) {
        const std::string out =
            testing_support::runOk("mshowfat -i " + testing_support::quote(image) + " " + testing_support::quote("::" + path));
        std::vector<uint64_t> clusters;
        for (size_t open = out.find('<'); open != std::string::npos; open = out.find('<', open + 1)) {
            const size_t close = out.find('>', open);
            const std::string range = out.substr(open + 1, close - open - 1);
            const size_t dash = range.find('-');
            const uint64_t first = std::stoull(range.substr(0, dash));
            const uint64_t last = dash == std::string::npos ? first : std::stoull(range.substr(dash + 1));
            for (uint64_t c = first; c <= last; ++c) clusters.push_back(c);
        }
        return clusters;
    }
    static uint64_t offsetOf(uint64_t cluster) { return kFirstData + (cluster - 2) * kSector; }

    void writeMap(const std::string& name, const std::vector<Stretch>& hurt) {
        testing_support::writeFile(scratch / name, mapText(hurt));
    }

    void open(const std::string& image) {
        dialog->onHostItemDoubleClicked(hostItem(fs::path(image).filename().string() + " (1440K)"));
        ASSERT_TRUE(dialog->imageIsOpen());
    }

    ItemHandle root() const { return view.children(Tree::Image, kNoItem).at(0); }
    // What the item's tooltip says; empty for an item without a mark.
    std::string warning(ItemHandle item) const {
        const desktop::ItemWarning& w = dialog->tree(Tree::Image).warning(item);
        EXPECT_EQ(w.shown(), !w.why.str().empty());
        return w.why.str();
    }
    std::string warning(const std::string& text) const { return warning(view.find(Tree::Image, text)); }
};

constexpr const char* kInside = "Uvnitř jsou položky s nepřečtenými sektory";

TEST_F(DamageMarksTest, AHurtFileIsMarkedWithItsUnreadBytesAndItsFoldersLeadToIt) {
    const std::string image = diskImage();
    const std::vector<uint64_t> hurt = clustersOf(image, "/DOCS/OLD/2001/HURT.BIN");
    ASSERT_EQ(hurt.size(), 6u);
    // Its second and third clusters: one unreadable, one the rescue never got to trim.
    writeMap("disk.img.map", {{offsetOf(hurt[1]), kSector, '-'}, {offsetOf(hurt[2]), kSector, '*'}});
    start();
    open(image);

    EXPECT_TRUE(view.messages.empty()) << view.messages.front();
    EXPECT_EQ(warning("HURT.BIN"), "Data souboru: 1024 nepřečtených bajtů");
    EXPECT_EQ(warning("CLEAN.TXT"), "");
    EXPECT_EQ(warning("TOP.TXT"), "");
    for (const char* folder : {"2001", "OLD", "DOCS"}) EXPECT_EQ(warning(folder), kInside) << folder;
    EXPECT_EQ(warning(root()), kInside);
}

TEST_F(DamageMarksTest, OnlyTheBytesOfAFileUpToItsSizeCount) {
    const std::string image = diskImage();
    const std::vector<uint64_t> hurt = clustersOf(image, "/DOCS/OLD/2001/HURT.BIN");
    // The last cluster holds 3000 - 5 * 512 = 440 bytes of the file; the slack behind them is nobody's.
    writeMap("disk.map", {{offsetOf(hurt.back()), kSector, '-'}});
    start();
    open(image);
    EXPECT_EQ(warning("HURT.BIN"), "Data souboru: 440 nepřečtených bajtů");
}

TEST_F(DamageMarksTest, AFolderIsMarkedForItsOwnEntriesAndSaysSo) {
    const std::string image = diskImage();
    const std::vector<uint64_t> old = clustersOf(image, "/DOCS/OLD");
    ASSERT_EQ(old.size(), 1u);
    writeMap("disk.map", {{offsetOf(old[0]), kSector, '-'}});
    start();
    open(image);
    EXPECT_EQ(warning("OLD"), "Položky adresáře: 512 nepřečtených bajtů");
    EXPECT_EQ(warning("2001"), "");
    EXPECT_EQ(warning("DOCS"), kInside);
}

TEST_F(DamageMarksTest, TheRootNamesTheSystemAreasThatAreHurt) {
    const struct {
        const char* name;
        std::vector<Stretch> hurt;
        std::string note;
    } cases[] = {
        {"boot sector", {{0, kSector, '-'}}, "Boot sektor: 512 nepřečtených bajtů"},
        {"second table copy, never tried", {{kSecondTable + kSector, 2 * kSector, '?'}},
         "2. kopie FAT: 1024 nepřečtených bajtů"},
        {"root folder and first table",
         {{kSector, kSector, '/'}, {kRootFolder, kSector, '-'}},
         "1. kopie FAT: 512 nepřečtených bajtů\nKořenový adresář: 512 nepřečtených bajtů"},
    };
    const std::string image = diskImage();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        view.messages.clear();
        writeMap("disk.map", c.hurt);
        start();
        open(image);
        EXPECT_EQ(warning(root()), c.note);
        EXPECT_EQ(warning("DOCS"), "");
        EXPECT_TRUE(view.messages.empty());
        dialog->onClose();
    }
}

TEST_F(DamageMarksTest, TheMapIsFoundBesideTheImageDiskMapFirst) {
    const struct {
        const char* name;
        std::vector<std::pair<const char*, bool>> maps;  // file name, whether it calls HURT.BIN's data hurt
        bool marked;
    } cases[] = {
        {"no map", {}, false},
        {"disk.map", {{"disk.map", true}}, true},
        {"disk.img.map", {{"disk.img.map", true}}, true},
        {"disk.map wins over disk.img.map", {{"disk.map", false}, {"disk.img.map", true}}, false},
        {"another image's map is not ours", {{"disk.img.img.map", true}, {"other.map", true}}, false},
    };
    const std::string image = diskImage();
    const std::vector<uint64_t> hurt = clustersOf(image, "/DOCS/OLD/2001/HURT.BIN");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        view.messages.clear();
        for (const char* stale : {"disk.map", "disk.img.map", "disk.img.img.map", "other.map"}) fs::remove(scratch / stale);
        for (const auto& [name, hurts] : c.maps)
            writeMap(name, hurts ? std::vector<Stretch>{{offsetOf(hurt[0]), kSector, '-'}} : std::vector<Stretch>{});
        start();
        open(image);
        EXPECT_EQ(warning("HURT.BIN").empty(), !c.marked);
        EXPECT_EQ(warning(root()).empty(), !c.marked);
        EXPECT_TRUE(view.messages.empty());
        dialog->onClose();
    }
}

TEST_F(DamageMarksTest, AnUnreadableMapIsNamedOnceAndTheTreeShownWithoutMarks) {
    const std::string image = diskImage();
    const std::string map = (scratch / "disk.map").string();
    const struct {
        const char* name;
        std::function<void()> make;
        std::string why;
    } cases[] = {
        {"no map inside", [&] { testing_support::writeFile(map, std::string("0x0 0x200 +\nnonsense\n")); },
         "not a ddrescue map"},
        {"a folder", [&] { fs::create_directory(map); }, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        view.messages.clear();
        fs::remove_all(map);
        c.make();
        start();
        open(image);
        ASSERT_EQ(view.messages.size(), 1u);
        EXPECT_EQ(view.messages[0].rfind("Mapu záchrany " + map + " nelze přečíst (" + c.why, 0), 0u)
            << view.messages[0];
        EXPECT_NE(view.find(Tree::Image, "HURT.BIN"), kNoItem);
        EXPECT_EQ(warning(root()), "");
        // Read again (F5): the person knows already; opened anew, they are told again.
        dialog->onReread();
        EXPECT_EQ(view.messages.size(), 1u);
        open(image);
        EXPECT_EQ(view.messages.size(), 2u);
        dialog->onClose();
    }
}

TEST_F(DamageMarksTest, MarksFollowTheMapWheneverTheTreeIsReadAgain) {
    const std::string image = diskImage();
    const std::vector<uint64_t> hurt = clustersOf(image, "/DOCS/OLD/2001/HURT.BIN");
    writeMap("disk.map", {});
    start();
    open(image);
    EXPECT_EQ(warning("HURT.BIN"), "");

    // A rescue run in between left a sector unread; the image is read again.
    writeMap("disk.map", {{offsetOf(hurt[0]), kSector, '-'}});
    dialog->onReread();
    EXPECT_EQ(warning("HURT.BIN"), "Data souboru: 512 nepřečtených bajtů");

    // The map gone: no marks left over from the last reading.
    fs::remove(scratch / "disk.map");
    dialog->onReread();
    EXPECT_EQ(warning("HURT.BIN"), "");
    EXPECT_EQ(warning("DOCS"), "");
    EXPECT_TRUE(view.messages.empty());
}

}  // namespace
}  // namespace browser::testing
