// Opening images and the image tree, against images made with the templates and mtools.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "browser/message_table.h"
#include "browser_fixture.h"
#include "damaged_images.h"

namespace browser::testing {
namespace {

namespace fs = std::filesystem;

class ImageTreeTest : public BrowserTest {
  protected:
    std::string sampleImage(const std::string& label) {
        const fs::path files = scratch / "files";
        fs::create_directories(files / "Dokumenty" / "Staré verze" / "2001");
        testing_support::writeFile(files / "README.TXT", std::string("hello"));
        testing_support::writeFile(files / "Report 2003.doc", std::string("report"));
        testing_support::writeFile(files / "Příliš žluťoučký kůň.txt", std::string("kůň"));
        testing_support::writeFile(files / "Dokumenty" / "Staré verze" / "2001" / "návrh.txt",
                                   std::string("n"));
        const std::string image = makeImage("sample.img", label, files.string());
        fs::remove_all(files);
        return image;
    }

    void open(const std::string& image) {
        dialog->onHostItemDoubleClicked(hostItem(fs::path(image).filename().string() + " (1440K)"));
    }

    std::string rootText() const { return view.text(Tree::Image, view.children(Tree::Image, kNoItem).at(0)); }

    // Patches bytes of an image file in place.
    static void patch(const std::string& image, std::streamoff offset, std::vector<uint8_t> bytes) {
        std::fstream f(image, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(offset);
        f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
};

TEST_F(ImageTreeTest, TheWholeImageIsListedWithOnlyTheRootExpanded) {
    const std::string image = sampleImage("SAMPLE");
    start();
    open(image);
    ASSERT_TRUE(dialog->imageIsOpen());
    EXPECT_EQ(dialog->openImageFile(), image);
    EXPECT_TRUE(view.messages.empty());
    const std::string dump = view.dump(Tree::Image);
    EXPECT_EQ(dump.substr(0, dump.find('\n')), "+SAMPLE       (1420K) [6]")
        << dump;  // the label entry adds a blank
    EXPECT_NE(dump.find("\n  Dokumenty [0]\n    Staré verze [0]\n      2001 [0]\n        NÁVRH.TXT ["),
              std::string::npos)
        << dump;
    EXPECT_NE(dump.find("\n  Příliš žluťoučký kůň.txt ["), std::string::npos) << dump;
    EXPECT_NE(dump.find("\n  README.TXT ["), std::string::npos) << dump;
    EXPECT_NE(dump.find("\n  Report 2003.doc ["), std::string::npos) << dump;
    EXPECT_EQ(std::count(dump.begin(), dump.end(), '+'), 1) << "only the root is expanded";
    EXPECT_EQ(dialog->volumeLabel(), "SAMPLE     ");

    const ItemHandle deep = view.find(Tree::Image, "NÁVRH.TXT");
    EXPECT_EQ(dialog->imagePathOfItem(deep), "\\Dokumenty\\Staré verze\\2001\\NÁVRH.TXT");
    EXPECT_EQ(dialog->imagePathOfItem(view.children(Tree::Image, kNoItem)[0]), "\\");
}

TEST_F(ImageTreeTest, WithoutALabelEntryTheBootSectorsLabelIsShown) {
    const std::string image = makeImage("nolabel.img", "");
    start();
    open(image);
    EXPECT_EQ(rootText(), "__NO_NAME__ (1423K)");
    EXPECT_EQ(dialog->volumeLabel(), "");

    // mkfs.fat writes "NO NAME" into the boot sector and no label entry.
    const std::string mkfs = (scratch / "mkfs.img").string();
    testing_support::makeFatImage(mkfs, 720);
    start();
    dialog->onHostItemDoubleClicked(hostItem("mkfs.img (720K)"));
    EXPECT_EQ(rootText().substr(0, 12), "NO NAME     ");
    EXPECT_EQ(view.face(Tree::Image, view.children(Tree::Image, kNoItem)[0]).icon, icon::kImage35);
}

TEST_F(ImageTreeTest, ReadOnlyAndDamagedImages) {
    const std::string readOnly = makeImage("ro.img", "RO");
    fs::permissions(readOnly, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const std::string tooLong = makeImage("long.img", "LONG");
    fs::resize_file(tooLong, 1474560 + 512);
    testing_support::writeFile(scratch / "text.img", std::string("not an image at all"));
    start();

    open(readOnly);
    EXPECT_EQ(view.messages, (std::vector<std::string>{"Image soubor je jen pro čtení (read-only)"}));
    EXPECT_TRUE(dialog->imageIsOpen());
    EXPECT_EQ(rootText().substr(0, 3), "RO ");

    view.messages.clear();
    dialog->onHostItemDoubleClicked(hostItem("long.img (1440K)"));
    EXPECT_EQ(view.messages,
              (std::vector<std::string>{"Image soubor je delší než dle bootu",
                                        "Image soubor není obrazem diskety nebo je poškozen."}));
    EXPECT_FALSE(dialog->imageIsOpen());
    EXPECT_EQ(dialog->openImageFile(), "");
    EXPECT_TRUE(view.children(Tree::Image, kNoItem).empty()) << "the earlier image was closed first";

    view.messages.clear();
    dialog->onHostItemDoubleClicked(hostItem("text.img (0K)"));
    EXPECT_EQ(view.messages,
              (std::vector<std::string>{"Image je příliš krátký i na boot sektor",
                                        "Image soubor není obrazem diskety nebo je poškozen."}));
}

TEST_F(ImageTreeTest, AFolderThatContainsItsParentIsListedOnce) {
    const fs::path files = scratch / "files";
    fs::create_directories(files / "A" / "B");
    testing_support::writeFile(files / "A" / "B" / "F.TXT", std::string("f"));
    const std::string image = makeImage("loop.img", "", files.string());
    fs::remove_all(files);
    // A is the root's first entry at cluster 2 (offset 0x4200); its third slot, B, is made to point at A.
    patch(image, 0x4200 + 2 * 32 + 26, {2, 0});
    start();
    open(image);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(view.dump(Tree::Image), "+__NO_NAME__ (1422K) [6]\n  A [0]\n    B [0]\n")
        << "B is shown but A is not listed a second time";
}

// The last cluster of DIR's chain leads back to its first: each file once, and one message naming DIR.
TEST_F(ImageTreeTest, AFolderWhoseChainLoopsIsListedOnceAndNamed) {
    const fs::path image = scratch / "loop.img";
    const std::vector<uint32_t> chain = testing_support::makeLoopingFolderImage(image, 40);
    for (const int checks : {0, 2}) {
        SCOPED_TRACE(checks);
        view.messages.clear();
        StartOptions options;
        options.entryCheckFlags = checks;
        start({{scratch.path().string(), platform::DriveType::Fixed}}, options);
        open(image.string());
        ASSERT_EQ(view.messages.size(), 1u) << view.dump(Tree::Image);
        const std::string& message = view.messages[0];
        EXPECT_EQ(message.substr(0, message.find('\n')), formatMessage(Message::FolderChainLoops, {"\\DIR"}));
        char details[32];
        std::snprintf(details, sizeof details, "\nChyba 10: %08x:\n", 0x4200 + (chain.front() - 2) * 512);
        EXPECT_NE(message.find(details), std::string::npos) << message;
        const ItemHandle dir = view.find(Tree::Image, "DIR");
        ASSERT_NE(dir, kNoItem);
        EXPECT_EQ(view.children(Tree::Image, dir).size(), 40u) << view.dump(Tree::Image);
    }
}

TEST_F(ImageTreeTest, AFailedCheckSkipsTheEntryInTheRootAndEndsASubfolder) {
    const fs::path files = scratch / "files";
    fs::create_directories(files / "SUB");
    for (const char* name : {"A.TXT", "B.TXT", "C.TXT"})
        testing_support::writeFile(files / name, std::string("x"));
    for (const char* name : {"X.TXT", "Y.TXT"})
        testing_support::writeFile(files / "SUB" / name, std::string("x"));
    const std::string image = makeImage("bad.img", "", files.string());
    fs::remove_all(files);
    // Root slots in mcopy's order: A.TXT, B.TXT, C.TXT, SUB; a '?' in B's name fails the check (code 3).
    patch(image, 0x2600 + 32 + 1, {'?'});
    // In SUB (cluster 5 after three one-cluster files and SUB): ".", "..", X.TXT, Y.TXT; X gets the '?',
    // which ends SUB's listing.
    patch(image, 0x4200 + 3 * 512 + 2 * 32 + 1, {'?'});
    StartOptions options;
    options.entryCheckFlags = 2;
    start({{scratch.path().string(), platform::DriveType::Fixed}}, options);
    open(image);
    ASSERT_EQ(view.messages.size(), 2u) << "each failed check is shown once";
    EXPECT_EQ(view.messages[0].substr(0, view.messages[0].find('\n')), "Chybně formátovaná položka");
    EXPECT_NE(view.messages[0].find("\nChyba 3: 00002620:\n42"), std::string::npos) << view.messages[0];
    EXPECT_EQ(view.messages[1], "Chybně formátovaná položka") << "no details below the root";
    EXPECT_EQ(view.dump(Tree::Image),
              "+__NO_NAME__ (1420K) [6]\n  A.TXT [8 .txt]\n  C.TXT [8 .txt]\n  SUB [0]\n");
}

TEST_F(ImageTreeTest, DamagedDirectoriesAndTablesNeverHangOrCrash) {
    const std::string sample = sampleImage("SAMPLE");
    const auto original = testing_support::readFile(sample);
    start();
    for (uint32_t seed = 1; seed <= 24; ++seed) {
        // Random bytes over part of the tables, the root and the first folders' clusters.
        auto bytes = original;
        const auto noise = testing_support::patternBytes(0x5000, seed);
        for (size_t i = 0; i < noise.size(); ++i) {
            if ((noise[i] & 7) == 0) bytes[0x200 + i] = noise[(i * 7) % noise.size()];
        }
        testing_support::writeFile(sample, bytes);
        view.messages.clear();
        StartOptions options;
        options.entryCheckFlags = seed % 2 == 0 ? 2 : 0;
        start({{scratch.path().string(), platform::DriveType::Fixed}}, options);
        open(sample);
        EXPECT_TRUE(dialog->imageIsOpen() || !view.messages.empty()) << seed;
    }
}

TEST_F(ImageTreeTest, ACommandLineImageIsShownInItsFolderAndOpened) {
    fs::create_directories(scratch / "deep" / "er");
    const std::string image = makeImage("deep/er/start.img", "START");
    start({{"/", platform::DriveType::Fixed}, {scratch.path().string(), platform::DriveType::Fixed}});
    dialog->openImageAtStart(image);
    EXPECT_EQ(view.driveSelection, 1);
    const ItemHandle item = view.find(Tree::Host, "start.img (1440K)");
    ASSERT_NE(item, kNoItem);
    EXPECT_EQ(view.selectedItem(Tree::Host), item);
    EXPECT_TRUE(view.isExpanded(Tree::Host, view.parentOf(Tree::Host, item)));
    EXPECT_TRUE(dialog->imageIsOpen());
    EXPECT_EQ(rootText().substr(0, 6), "START ");
}

TEST_F(ImageTreeTest, ClosingTheWindowClosesTheImage) {
    const std::string image = makeImage("close.img", "C");
    start();
    open(image);
    dialog->onClose();
    EXPECT_FALSE(dialog->imageIsOpen());
    EXPECT_EQ(boundLibrary().FreeSpace(nullptr), 10) << "nothing is open in the library any more";
}

}  // namespace
}  // namespace browser::testing
