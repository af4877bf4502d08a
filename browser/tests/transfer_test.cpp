// Transfers between host and image, delete, new image, folder and label, against images made at test time.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "browser/message_table.h"
#include "browser_fixture.h"
#include "damaged_images.h"
#include "dated_files.h"

namespace browser::testing {
namespace {

namespace fs = std::filesystem;
using testing_support::quote;
using testing_support::readFile;
using testing_support::runOk;
using testing_support::writeFile;

class TransferTest : public BrowserTest {
  protected:
    // Every kind of file the tests move is listed on the host side.
    void begin() {
        StartOptions options;
        options.extensionList = "imgtxtdocexedatbotgvx";
        start({{scratch.path().string(), platform::DriveType::Fixed}}, options);
    }

    // Long, Czech and 8.3 names, three levels, an empty file and a read-only one.
    fs::path makeFiles(const std::string& folder) {
        const fs::path files = scratch / folder;
        fs::create_directories(files / "Dokumenty" / "Staré verze");
        fs::create_directories(files / "PROGRAMS");
        writeFile(files / "README.TXT", std::string("Hello from a floppy image.\r\n"));
        writeFile(files / "Příliš žluťoučký kůň.txt", std::string("kůň"));
        writeFile(files / "Dokumenty" / "Quarterly report 1998.doc", std::string("report"));
        writeFile(files / "Dokumenty" / "Staré verze" / "návrh.txt", std::string("draft"));
        writeFile(files / "PROGRAMS" / "SETUP.EXE", testing_support::patternBytes(20000, 3));
        writeFile(files / "PROGRAMS" / "EMPTY.DAT", std::string());
        return files;
    }

    std::string openSample(const std::string& label) {
        const fs::path files = makeFiles("source");
        const std::string image = makeImage("sample.img", label, files.string());
        fs::remove_all(files);
        begin();
        dialog->openImageAtStart(image);
        return image;
    }

    void selectHost(const std::string& text) {
        const ItemHandle item = view.find(Tree::Host, text);
        ASSERT_NE(item, kNoItem) << text << "\n" << view.dump(Tree::Host);
        view.selectItem(Tree::Host, item);
    }
    void selectImage(const std::string& text) {
        const ItemHandle item = view.find(Tree::Image, text);
        ASSERT_NE(item, kNoItem) << text << "\n" << view.dump(Tree::Image);
        view.selectItem(Tree::Image, item);
    }
    // The whole image to the host folder "out", the question answered with yes.
    void copyDiskOut(const std::string& image) {
        fs::create_directories(scratch / "out");
        begin();
        dialog->openImageAtStart(image);
        selectHost("out");
        selectImageRoot();
        view.answers = {true};
        dialog->onCopyToHost();
    }
    // A host folder of the scratch drive into the root of a new image, the question answered with yes.
    std::string copyIntoNewImage(const std::string& folder, const std::string& imageName,
                                 const std::string& label) {
        const std::string image = makeImage(imageName, label);
        begin();
        dialog->openImageAtStart(image);
        view.messages.clear();
        selectHost(folder);
        selectImageRoot();
        view.answers = {true};
        dialog->onCopyToImage();
        return image;
    }
    void selectImageRoot() { view.selectItem(Tree::Image, view.children(Tree::Image, kNoItem).at(0)); }
    void selectHostRoot() { view.selectItem(Tree::Host, view.children(Tree::Host, kNoItem).at(0)); }
    std::string imageRootText() const {
        return view.text(Tree::Image, view.children(Tree::Image, kNoItem).at(0));
    }

    static std::string mdirNames(const std::string& image) {
        // Short names come back without the lower-case flags of the tool that made them.
        return runOk("mdir -/ -b -i " + quote(image) + " :: | sed 's|^::||' | tr A-Z a-z | sort");
    }

    static const std::string kDone;
};

const std::string TransferTest::kDone = "[result] Akce dokončena bez chyb.";

TEST_F(TransferTest, AWholeDiskGoesToAFolderAndBackIntoAnEmptyImage) {
    const std::string image = openSample("RESCUE");
    view.messages.clear();
    copyDiskOut(image);
    EXPECT_EQ(view.messages, (std::vector<std::string>{"[yes/no] " + messageText(155), kDone}));

    const fs::path disk = scratch / "out" / "RESCUE";
    const auto imageBytes = readFile(image);
    EXPECT_EQ(readFile(disk / "RESCUE.BOT"),
              std::vector<uint8_t>(imageBytes.begin(), imageBytes.begin() + 512));
    EXPECT_EQ(readFile(disk / "PROGRAMS" / "SETUP.EXE"), testing_support::patternBytes(20000, 3));
    EXPECT_TRUE(fs::exists(disk / "Dokumenty" / "Staré verze"));
    EXPECT_TRUE(fs::exists(disk / "Příliš žluťoučký kůň.txt"));
    EXPECT_EQ(fs::file_size(disk / "PROGRAMS" / "EMPTY.DAT"), 0u);

    // Back into a new, empty image (its own label entry only): label, boot sector and every file return.
    const std::string copy = makeImage("copy.img", "EMPTY");
    const auto ownParameters = readFile(copy);
    begin();
    dialog->openImageAtStart(copy);
    view.messages.clear();
    const ItemHandle folder = dialog->drives().empty() ? kNoItem : view.find(Tree::Host, "out");
    dialog->onHostItemExpanding(folder);
    selectHost("RESCUE");
    selectImageRoot();
    view.answers = {true};
    dialog->onCopyToImage();
    EXPECT_EQ(view.messages, (std::vector<std::string>{"[yes/no] " + messageText(155), kDone}));
    EXPECT_EQ(imageRootText().substr(0, 7), "RESCUE ");
    dialog->onClose();

    const auto restored = readFile(copy);
    const auto original = readFile(image);
    EXPECT_TRUE(std::equal(original.begin(), original.begin() + 11, restored.begin()));
    EXPECT_TRUE(std::equal(ownParameters.begin() + 11, ownParameters.begin() + 43, restored.begin() + 11));
    EXPECT_TRUE(std::equal(original.begin() + 62, original.begin() + 512, restored.begin() + 62));
    EXPECT_EQ(mdirNames(copy), mdirNames(image));
    runOk("fsck.fat -n " + quote(copy));
    runOk("mcopy -n -i " + quote(copy) + " ::PROGRAMS/SETUP.EXE " + quote((scratch / "back.exe").string()));
    EXPECT_EQ(readFile(scratch / "back.exe"), testing_support::patternBytes(20000, 3));
}

TEST_F(TransferTest, ABlankLabelNamesTheFolderNoname) {
    const fs::path files = scratch / "source";
    fs::create_directories(files);
    writeFile(files / "A.TXT", std::string("a"));
    const std::string image = makeImage("blank.img", "", files.string());
    fs::remove_all(files);
    // mkfs.fat puts "NO NAME" into the boot sector; blanks only make NONAME.
    auto bytes = readFile(image);
    std::fill(bytes.begin() + 43, bytes.begin() + 54, ' ');
    writeFile(image, bytes);
    copyDiskOut(image);
    EXPECT_TRUE(fs::exists(scratch / "out" / "NONAME" / "NONAME.BOT"));
    EXPECT_TRUE(fs::exists(scratch / "out" / "NONAME" / "A.TXT"));
}

TEST_F(TransferTest, RefusalsBeforeAnythingIsCopied) {
    const std::string image = openSample("SAMPLE");
    const fs::path files = makeFiles("host");
    fs::create_directories(scratch / "out" / "Dokumenty");
    writeFile(scratch / "README.TXT", std::string("other"));
    begin();
    dialog->openImageAtStart(image);
    dialog->onHostItemExpanding(view.find(Tree::Host, "host"));

    struct Row {
        const char* host;   // nullptr: the drive root; "" nothing
        const char* image;  // nullptr: the image root; "" nothing
        bool toImage;
        std::vector<bool> answers;
        std::vector<std::string> messages;
    } rows[] = {
        {"", "PROGRAMS", true, {}, {messageText(160)}},
        {"README.TXT (0K)", "", false, {}, {messageText(160)}},
        {"README.TXT (0K)", "README.TXT", true, {}, {messageText(162)}},
        {"README.TXT (0K)", nullptr, true, {}, {messageText(105)}},
        {"README.TXT (0K)", "README.TXT", false, {}, {messageText(161)}},
        {"host", nullptr, true, {false}, {"[yes/no] " + messageText(155)}},
        {"out", "Dokumenty", false, {true}, {"[yes/no] " + messageText(155), messageText(158)}},
        {nullptr, nullptr, true, {}, {"Údaj " + scratch.path().string() + "/ neoznačuje soubor"}},
    };
    for (const Row& row : rows) {
        view.messages.clear();
        view.selectItem(Tree::Host, kNoItem);
        view.selectItem(Tree::Image, kNoItem);
        if (row.host == nullptr)
            selectHostRoot();
        else if (*row.host)
            selectHost(row.host);
        if (row.image == nullptr)
            selectImageRoot();
        else if (*row.image)
            selectImage(row.image);
        view.answers.assign(row.answers.begin(), row.answers.end());
        if (row.toImage)
            dialog->onCopyToImage();
        else
            dialog->onCopyToHost();
        EXPECT_EQ(view.messages, row.messages)
            << (row.host ? row.host : "root") << " / " << (row.image ? row.image : "root");
    }
    EXPECT_TRUE(fs::is_empty(scratch / "out" / "Dokumenty"));

    // A folder dropped onto a root that holds files, with a .BOT file in it: not an empty image.
    writeFile(files / "DISK.BOT", std::vector<uint8_t>(512, 0));
    begin();
    dialog->openImageAtStart(image);
    selectHost("host");
    selectImageRoot();
    view.messages.clear();
    view.answers = {true};
    dialog->onCopyToImage();
    EXPECT_EQ(view.messages, (std::vector<std::string>{"[yes/no] " + messageText(155), messageText(159)}));
}

TEST_F(TransferTest, FilesAndFoldersBothWaysWithAttributes) {
    const std::string image = openSample("SAMPLE");
    const fs::path files = scratch / "host";
    fs::create_directories(files / "Nová složka" / "Hloubka");
    writeFile(files / "Nová složka" / "Hloubka" / "deep file.txt", std::string("deep"));
    writeFile(files / "Only read.txt", std::string("ro"));
    fs::permissions(files / "Only read.txt", fs::perms::all, fs::perm_options::remove);
    fs::permissions(files / "Only read.txt", fs::perms::owner_read, fs::perm_options::add);
    // A link back up the tree is never followed into the image.
    fs::create_directory_symlink(files, files / "Nová složka" / "loop");
    begin();
    dialog->openImageAtStart(image);
    dialog->onHostItemExpanding(view.find(Tree::Host, "host"));

    selectHost("Only read.txt (0K)");
    selectImage("PROGRAMS");
    dialog->onCopyToImage();
    EXPECT_EQ(view.messages.back(), kDone);
    EXPECT_NE(runOk("mattrib -i " + quote(image) + " ::PROGRAMS/ONLYRE~1.TXT"), "");
    EXPECT_NE(runOk("mattrib -i " + quote(image) + " '::PROGRAMS/Only read.txt'").find("R"),
              std::string::npos);

    selectHost("Nová složka");
    selectImage("Dokumenty");
    view.answers = {true};
    dialog->onCopyToImage();
    EXPECT_EQ(view.messages.back(), kDone);
    const std::string listing = runOk("mdir -/ -b -i " + quote(image) + " ::Dokumenty");
    EXPECT_NE(listing.find("Nová složka/Hloubka/deep file.txt"), std::string::npos) << listing;
    EXPECT_EQ(listing.find("loop"), std::string::npos) << listing;

    // And out again: a long-named folder keeps its long name, files their bytes and read-only bit.
    fs::create_directories(scratch / "out");
    begin();
    dialog->openImageAtStart(image);
    selectHost("out");
    selectImage("Nová složka");
    view.answers = {true};
    dialog->onCopyToHost();
    EXPECT_EQ(readFile(scratch / "out" / "Nová složka" / "Hloubka" / "deep file.txt"),
              std::vector<uint8_t>({'d', 'e', 'e', 'p'}));
    selectHost("out");
    selectImage("Only read.txt");
    dialog->onCopyToHost();
    struct stat st {};
    ASSERT_EQ(::stat((scratch / "out" / "Only read.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0222, 0u);
}

TEST_F(TransferTest, Delete) {
    const std::string image = openSample("SAMPLE");
    runOk("mattrib +r -i " + quote(image) + " ::README.TXT");
    begin();
    dialog->openImageAtStart(image);

    dialog->onDelete();
    EXPECT_EQ(view.messages.back(), messageText(170));

    selectImage("README.TXT");  // read-only: asked first; No still shows the result and reopens
    view.answers = {false};
    dialog->onDelete();
    EXPECT_EQ(view.messages.back(), kDone);
    EXPECT_NE(view.find(Tree::Image, "README.TXT"), kNoItem);

    selectImage("README.TXT");
    view.answers = {true};
    dialog->onDelete();
    EXPECT_EQ(view.find(Tree::Image, "README.TXT"), kNoItem);

    selectImage("Dokumenty");
    dialog->onDelete();
    EXPECT_EQ(view.messages.back(), messageText(148));

    selectImageRoot();
    view.answers = {true};
    dialog->onDelete();
    EXPECT_EQ(view.messages.back(), "[yes/no] " + messageText(147));
    EXPECT_FALSE(dialog->imageIsOpen());
    EXPECT_TRUE(view.children(Tree::Image, kNoItem).empty());
}

TEST_F(TransferTest, AReadOnlyImageRefusesEveryChange) {
    const std::string image = openSample("SAMPLE");
    fs::permissions(image, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const auto before = readFile(image);
    begin();
    dialog->openImageAtStart(image);
    EXPECT_EQ(view.messages, (std::vector<std::string>{messageText(116)}));
    const std::string readOnly = messageText(136);

    selectImage("README.TXT");
    dialog->onDelete();
    EXPECT_EQ(view.messages.back(), readOnly);
    selectImage("PROGRAMS");
    view.newItemAnswers = {NewItemChoice{false, "NEW"}};
    dialog->onNew();
    EXPECT_EQ(view.messages.back(), readOnly);
    selectImageRoot();
    view.newItemAnswers = {NewItemChoice{true, "LABEL"}};
    dialog->onNew();
    EXPECT_EQ(view.messages.back(), readOnly);
    writeFile(scratch / "new.txt", std::string("n"));
    begin();
    dialog->openImageAtStart(image);
    selectHost("new.txt (0K)");
    selectImageRoot();
    dialog->onCopyToImage();
    EXPECT_EQ(view.messages.back(), readOnly);
    EXPECT_EQ(readFile(image), before);
}

TEST_F(TransferTest, NewEmptyImages) {
    fs::create_directories(scratch / "disks");
    start();  // the default filter: new images get .gvx
    struct Row {
        NewImageChoice choice;
        std::string file;
        size_t size;
    } rows[] = {
        {{bootsectors::TemplateId::Disk720K, "disk", ""}, "disk.gvx", 737280},
        {{bootsectors::TemplateId::Disk1440K, "x.image", "DATA"}, "x.image.gvx", 1474560},
        {{bootsectors::TemplateId::Disk360K, "abc", ""}, "abc", 368640},
        {{bootsectors::TemplateId::Disk1200K, "y.img", ""}, "y.img", 1228800},
    };
    for (const Row& row : rows) {
        selectHost("disks");
        view.newImageAnswers = {row.choice};
        dialog->onNew();
        const fs::path made = scratch / "disks" / row.file;
        ASSERT_TRUE(fs::exists(made)) << row.file << "\n"
                                      << ::testing::PrintToString(view.messages) << view.dump(Tree::Host);
        EXPECT_EQ(fs::file_size(made), row.size);
        runOk("mdir -i " + quote(made.string()) + " ::");
    }
    EXPECT_EQ(view.dialogPresets.front(), "new image: ");

    const auto disk = readFile(scratch / "disks" / "disk.gvx");
    EXPECT_EQ(std::string(disk.begin() + 43, disk.begin() + 54), "__NO_NAME__");
    EXPECT_EQ(std::vector<uint8_t>(disk.begin() + 512, disk.begin() + 515),
              (std::vector<uint8_t>{0xF9, 0xFF, 0xFF}));
    EXPECT_EQ(std::vector<uint8_t>(disk.begin() + 2048, disk.begin() + 2051),
              (std::vector<uint8_t>{0xF9, 0xFF, 0xFF}));
    EXPECT_EQ(disk[3584], 0) << "no label entry without a label";

    const auto data = readFile(scratch / "disks" / "x.image.gvx");
    EXPECT_EQ(std::string(data.begin() + 9728, data.begin() + 9739), "DATA       ");
    EXPECT_EQ(data[9728 + 11], 0x08);

    // A selected file presets its name, and accepting replaces it.
    dialog->onHostItemExpanding(view.find(Tree::Host, "disks"));
    selectHost("y.img (1200K)");
    view.newImageAnswers = {NewImageChoice{bootsectors::TemplateId::Disk1440K, "y.img", ""}};
    dialog->onNew();
    EXPECT_EQ(view.dialogPresets.back(), "new image: y.img");
    EXPECT_EQ(fs::file_size(scratch / "disks" / "y.img"), 1474560u);
    view.newImageAnswers = {std::nullopt};  // "Ne" makes nothing
    selectHost("disks");
    dialog->onNew();
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch / "disks"), fs::directory_iterator()), 4);
}

TEST_F(TransferTest, NewFoldersAndTheLabel) {
    const std::string image = openSample("SAMPLE");
    selectImage("Quarterly report 1998.doc");  // a file stands for its folder
    view.newItemAnswers = {NewItemChoice{false, "NEW"}};
    dialog->onNew();
    EXPECT_EQ(view.dialogPresets.back(), "new folder: ");
    EXPECT_NE(view.find(Tree::Image, "NEW"), kNoItem);
    EXPECT_EQ(dialog->imagePathOfItem(view.find(Tree::Image, "NEW")), "\\Dokumenty\\NEW");

    selectImage("Dokumenty");
    view.newItemAnswers = {NewItemChoice{false, "NEW"}};
    dialog->onNew();
    EXPECT_EQ(view.messages.back(), messageText(104));
    selectImage("Dokumenty");
    view.newItemAnswers = {NewItemChoice{false, "a*b"}};
    dialog->onNew();
    EXPECT_EQ(view.messages.back(), messageText(164));

    selectImageRoot();
    view.newItemAnswers = {NewItemChoice{true, "ARCHIV"}};
    dialog->onNew();
    EXPECT_EQ(view.dialogPresets.back(), "new item with label: SAMPLE");
    EXPECT_EQ(imageRootText().substr(0, 12), "ARCHIV      ");
    selectImageRoot();
    view.newItemAnswers = {NewItemChoice{true, ""}};  // clearing the label removes its entry
    dialog->onNew();
    EXPECT_EQ(dialog->volumeLabel(), "");
    EXPECT_EQ(runOk("mlabel -s -i " + quote(image) + " ::").find("ARCHIV"), std::string::npos);
    selectImageRoot();
    view.newItemAnswers = {std::nullopt};
    dialog->onNew();
    EXPECT_EQ(view.dialogPresets.back(), "new item with label: ");
}

// Names up to the 255 characters FAT allows are stored, in a folder too, where their entries run on into the
// next cluster; a name that is no text is named in a message and left out, and the copy goes on.
TEST_F(TransferTest, LongNamesAreStoredAndNamesThatAreNoTextAreLeftOut) {
    const fs::path files = scratch / "names";
    fs::create_directories(files / "sub");
    const std::string longest = std::string(251, 'b') + ".txt";
    writeFile(files / (std::string(250, 'a') + ".txt"), std::string("254"));
    writeFile(files / longest, std::string("255"));
    writeFile(files / "caf\xE9.txt", std::string("Latin-1"));
    writeFile(files / "zz.txt", std::string("after"));
    writeFile(files / "sub" / longest, std::string("deeper"));
    const std::string image = copyIntoNewImage("names", "names.img", "NAMES");
    EXPECT_EQ(view.messages, (std::vector<std::string>{
                                 "[yes/no] " + messageText(155),
                                 formatMessage(Message::NameNotText, {(files / "caf\uFFFD.txt").string()})}))
        << "no result box: something was left out";
    const std::string listing = runOk("mdir -/ -b -i " + quote(image) + " ::");
    for (const std::string& path : {"::/names/" + std::string(250, 'a') + ".txt", "::/names/" + longest,
                                    std::string("::/names/zz.txt"), "::/names/sub/" + longest}) {
        EXPECT_NE(listing.find(path + "\n"), std::string::npos) << path << "\n" << listing;
    }
    EXPECT_EQ(listing.find("caf"), std::string::npos) << listing;
    runOk("fsck.fat -n " + quote(image));

    // One file of the longest name on its own.
    dialog->onHostItemExpanding(view.find(Tree::Host, "names"));
    selectHost("sub");
    dialog->onHostItemExpanding(view.find(Tree::Host, "sub"));
    selectHost(longest + " (0K)");
    selectImageRoot();
    view.messages.clear();
    dialog->onCopyToImage();
    EXPECT_EQ(view.messages, (std::vector<std::string>{kDone}));
    EXPECT_NE(runOk("mdir -b -i " + quote(image) + " ::").find("::/" + longest), std::string::npos);
}

// Names FAT does not allow, and names other systems would cut, are named and never stored; the rest goes in.
TEST_F(TransferTest, NamesFatForbidsAreNamedAndNeverStored) {
    const fs::path files = scratch / "odd";
    fs::create_directories(files / "trailing dot.");
    const std::vector<std::string> refused{"a:b*c.txt", "blank ", "tab\tname.txt", "trailing dot.",
                                           "x|y.txt"};
    for (const std::string& name : refused) {
        if (name != "trailing dot.") writeFile(files / name, std::string("x"));
    }
    writeFile(files / "ok.txt", std::string("ok"));
    writeFile(scratch / "what?.txt", std::string("alone"));
    const std::string image = copyIntoNewImage("odd", "odd.img", "ODD");
    std::vector<std::string> expected{"[yes/no] " + messageText(155)};
    for (const std::string& name : refused)
        expected.push_back(formatMessage(Message::NameForbidden, {(files / name).string()}));
    EXPECT_EQ(view.messages, expected) << "each named, in the host's order, and no result box";
    EXPECT_EQ(runOk("mdir -/ -b -i " + quote(image) + " ::"), "::/odd/\n::/odd/ok.txt\n");
    runOk("fsck.fat -n " + quote(image));

    view.messages.clear();
    selectHost("what?.txt (0K)");
    selectImageRoot();
    dialog->onCopyToImage();
    EXPECT_EQ(view.messages, (std::vector<std::string>{
                                 formatMessage(Message::NameForbidden, {(scratch / "what?.txt").string()})}));
    EXPECT_EQ(runOk("mdir -b -i " + quote(image) + " ::"), "::/odd/\n");
}

// mtools writes into the image Kelvorn holds open (it takes no lock): the next action reads the tree again
// instead of acting on what may be gone, and the one after it works on what is on disk.
TEST_F(TransferTest, AnImageChangedByAnotherProgramIsReadAgainAtTheNextAction) {
    writeFile(scratch / "MINE.TXT", std::string("mine"));
    writeFile(scratch / "theirs.bin", testing_support::patternBytes(3000, 5));
    const std::string files = makeFiles("source").string();
    const std::string image = makeImage("sample.img", "SAMPLE", files);
    // An old write time: mcopy's write shows however soon after the image was made it comes.
    runOk("touch -m -d 2000-01-01 " + quote(image));
    begin();
    dialog->openImageAtStart(image);
    runOk("mcopy -i " + quote(image) + " " + quote((scratch / "theirs.bin").string()) + " ::THEIRS.BIN");
    view.messages.clear();
    selectHost("MINE.TXT (0K)");
    selectImageRoot();
    dialog->onCopyToImage();
    EXPECT_EQ(view.messages, (std::vector<std::string>{formatMessage(Message::ImageReread, {image})}));
    EXPECT_NE(view.find(Tree::Image, "THEIRS.BIN"), kNoItem) << view.dump(Tree::Image);
    EXPECT_EQ(runOk("mdir -b -i " + quote(image) + " ::MINE.TXT 2>/dev/null || true"), "");

    view.messages.clear();
    selectHost("MINE.TXT (0K)");
    selectImageRoot();
    dialog->onCopyToImage();
    EXPECT_EQ(view.messages, (std::vector<std::string>{kDone}));
    // Kelvorn's own changes are no other program's.
    view.messages.clear();
    selectImage("MINE.TXT");
    dialog->onDelete();
    EXPECT_EQ(view.messages, (std::vector<std::string>{kDone}));
    dialog->onClose();
    runOk("fsck.fat -n " + quote(image));
    runOk("mcopy -n -i " + quote(image) + " ::THEIRS.BIN " + quote((scratch / "back.bin").string()));
    EXPECT_EQ(readFile(scratch / "back.bin"), testing_support::patternBytes(3000, 5));
}

// Copied out, files and folders take their entries' write times (UTC, as entries keep them), so a disk
// rescued to a folder and copied back into a new image keeps its dates.
TEST_F(TransferTest, CopiedOutFilesKeepTheEntriesTimes) {
    using testing_support::datedFiles;
    using testing_support::writtenUtc;
    const fs::path files = scratch / "dated";
    testing_support::makeDatedTree(files);
    fs::create_directories(scratch / "out");
    fs::create_directories(scratch / "one");
    const std::string image = copyIntoNewImage("dated", "dated.img", "DATED");
    ASSERT_EQ(view.messages.back(), kDone);

    selectHost("out");
    selectImage("dated");
    view.answers = {true};
    dialog->onCopyToHost();
    ASSERT_EQ(view.messages.back(), kDone);
    for (const auto& f : datedFiles())
        EXPECT_EQ(writtenUtc(scratch / "out" / "dated" / f.path), std::string(f.written) + "\n") << f.path;
    // A folder's entry holds the time it was made in the image.
    const std::string listed = runOk("mdir -i " + quote(image) + " ::dated");
    const std::string folderTime =
        runOk("date -u -r " + quote((scratch / "out" / "dated" / "Sub folder").string()) + " '+%F %k:%M'");
    EXPECT_NE(listed.find(folderTime.substr(11, 5)), std::string::npos) << folderTime << listed;

    // One file on its own, and back into the image under another folder: the same dates.
    selectHost("one");
    selectImage("OLD.TXT");
    dialog->onCopyToHost();
    EXPECT_EQ(writtenUtc(scratch / "one" / "OLD.TXT"), std::string(datedFiles()[0].written) + "\n");
    runOk("mmd -i " + quote(image) + " ::AGAIN");
    begin();
    dialog->openImageAtStart(image);
    dialog->onHostItemExpanding(view.find(Tree::Host, "out"));
    selectHost("dated");
    selectImage("AGAIN");
    view.answers = {true};
    dialog->onCopyToImage();
    ASSERT_EQ(view.messages.back(), kDone);
    const std::string first = runOk("mdir -/ -i " + quote(image) + " ::dated");
    const std::string again = runOk("mdir -/ -i " + quote(image) + " ::AGAIN/dated");
    // mdir shows the hour without its leading zero.
    for (const std::string stamp : {"2001-02-03   4:05", "1999-12-31  23:59", "2020-06-30  12:00"}) {
        EXPECT_NE(first.find(stamp), std::string::npos) << stamp << "\n" << first;
        EXPECT_NE(again.find(stamp), std::string::npos) << stamp << "\n" << again;
    }
}

// A copy out of a damaged image names what it leaves out or cuts short: a folder whose cluster chain leads
// back into itself (its files once), a file whose chain ends before its size (copied as far as it goes).
TEST_F(TransferTest, WhatADamagedImageCutsShortIsNamed) {
    const fs::path loop = scratch / "loop.img";
    testing_support::makeLoopingFolderImage(loop, 40);
    copyDiskOut(loop.string());
    ASSERT_EQ(view.messages.size(), 3u) << "the listing's message, the question and the copy's message";
    const std::string named = formatMessage(Message::FolderChainLoops, {"\\DIR"});
    EXPECT_EQ(view.messages[2].substr(0, named.size()), named);
    // mkfs.fat leaves "NO NAME" in the boot sector, which names the folder.
    EXPECT_EQ(
        std::distance(fs::directory_iterator(scratch / "out" / "NO NAME" / "DIR"), fs::directory_iterator()),
        40);

    const fs::path files = scratch / "short";
    fs::create_directories(files / "SUB");
    writeFile(files / "BIG.BIN", testing_support::patternBytes(3000, 7));
    writeFile(files / "SUB" / "DEEP.BIN", testing_support::patternBytes(2000, 8));
    const std::string image = makeImage("short.img", "SHORT", files.string());
    // Both chains end after their first cluster.
    for (const char* name : {"::BIG.BIN", "::SUB/DEEP.BIN"}) {
        const std::string info = runOk("mshowfat -i " + quote(image) + " " + name);
        const uint32_t first = std::stoul(info.substr(info.find('<') + 1));
        testing_support::setFatEntry(image, first, 0xFFF);
    }
    fs::create_directories(scratch / "one");
    begin();
    dialog->openImageAtStart(image);
    view.messages.clear();
    selectHost("one");
    selectImage("BIG.BIN");
    dialog->onCopyToHost();
    EXPECT_EQ(view.messages, (std::vector<std::string>{formatMessage(Message::FileCutShort, {"\\BIG.BIN"})}));
    EXPECT_EQ(fs::file_size(scratch / "one" / "BIG.BIN"), 512u);

    view.messages.clear();
    fs::remove_all(scratch / "out");
    copyDiskOut(image);
    EXPECT_EQ(view.messages,
              (std::vector<std::string>{"[yes/no] " + messageText(155),
                                        formatMessage(Message::FileCutShort, {"\\BIG.BIN"}),
                                        formatMessage(Message::FileCutShort, {"\\SUB\\DEEP.BIN"})}));
}

TEST_F(TransferTest, HostileNamesNeverLeaveTheTargetFolder) {
    const fs::path files = scratch / "source";
    fs::create_directories(files / "D" / "E");
    writeFile(files / "AAAA.TXT", std::string("a"));
    writeFile(files / "BBBB.TXT", std::string("b"));
    const std::string image = makeImage("hostile.img", "", files.string());
    fs::remove_all(files);
    // Root: AAAA.TXT (cluster 2), BBBB.TXT (3), D (4); D holds ".", ".." and E, which is made to be D again.
    auto bytes = readFile(image);
    const std::string dots = "..         ", slash = "A/B     TXT";
    std::copy(dots.begin(), dots.end(), bytes.begin() + 0x2600);
    std::copy(slash.begin(), slash.end(), bytes.begin() + 0x2600 + 32);
    bytes[0x4200 + 2 * 512 + 2 * 32 + 26] = 4;
    writeFile(image, bytes);
    copyDiskOut(image);
    // Each item left out is named, and no result box says that all went well.
    EXPECT_EQ(view.messages,
              (std::vector<std::string>{"[yes/no] " + messageText(155),
                                        "Jméno .. nelze na HD použít, položka se vynechává.",
                                        "Jméno A/B.TXT nelze na HD použít, položka se vynechává.",
                                        formatMessage(Message::FolderLeadsBack, {"\\D\\E"})}));
    const std::string written = runOk("cd " + quote(scratch.path().string()) + " && find out | sort");
    EXPECT_EQ(
        written,
        "out\nout/__NO_NAME__\nout/__NO_NAME__/D\nout/__NO_NAME__/D/E\nout/__NO_NAME__/__NO_NAME__.BOT\n");
}

}  // namespace
}  // namespace browser::testing
