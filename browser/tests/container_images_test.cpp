// Floppy containers in the browser: the default filter lists them, each kind opens and shows its files, a
// TeleDisk or CopyQM image is shown read-only and refuses changes, and an ImageDisk image changed by a
// transfer is still one that dsktrans reads, with a file system fsck.fat accepts.
#include <filesystem>

#include "browser/message_table.h"
#include "browser_fixture.h"
#include "platform/containers/zip_image.h"

namespace browser::testing {
namespace {

namespace fs = std::filesystem;
using testing_support::quote;
using testing_support::readFile;
using testing_support::run;
using testing_support::runOk;
using testing_support::writeFile;

class ContainerImagesTest : public BrowserTest {
  protected:
    // The sample as a raw image, and as each container next to it.
    void makeContainers() {
        const fs::path files = scratch / "files";
        fs::create_directories(files / "Dokumenty");
        writeFile(files / "README.TXT", std::string("hello"));
        writeFile(files / "Dokumenty" / "Zpráva 1998.doc", testing_support::patternBytes(5000, 2));
        const std::string raw = makeImage("disk.img", "KONTEJNER", files.string());
        fs::remove_all(files);
        for (const auto& [type, extension] : {std::pair{"imd", "imd"}, {"tele", "td0"}, {"copyqm", "cqm"}}) {
            runOk("dsktrans -itype raw " + quote(raw) + " -otype " + type + " " +
                  quote((scratch / (std::string("disk.") + extension)).string()));
        }
        std::vector<uint8_t> zipped;
        platform::containers::zipImage({"DISK.IMA", readFile(raw)}, zipped);
        writeFile(scratch / "disk.imz", zipped);
    }

    // The default list and text files, which the transfers take.
    void startWithText() {
        StartOptions options;
        options.extensionList = "gvximgimdtd0cqmimztxt";
        start({{scratch.path().string(), platform::DriveType::Fixed}}, options);
    }

    // Host items show the size after the name.
    ItemHandle hostFile(const std::string& name) const {
        for (ItemHandle item : view.children(Tree::Host, view.children(Tree::Host, kNoItem).at(0))) {
            if (view.text(Tree::Host, item).rfind(name + " (", 0) == 0) return item;
        }
        ADD_FAILURE() << name << " is not listed\n" << view.dump(Tree::Host);
        return kNoItem;
    }
};

TEST_F(ContainerImagesTest, EachKindIsListedAndOpensWithItsFiles) {
    makeContainers();
    start();
    EXPECT_EQ(view.filterEntries,
              (std::vector<std::string>{" {...}", ".cqm", ".gvx", ".imd", ".img", ".imz", ".td0"}));
    struct Row {
        const char* file;
        std::vector<std::string> messages;
    };
    const std::vector<Row> rows = {
        {"disk.imd", {}},
        {"disk.imz", {}},
        {"disk.td0", {messageText(116)}},
        {"disk.cqm", {messageText(116)}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        view.messages.clear();
        dialog->onHostItemDoubleClicked(hostFile(row.file));
        EXPECT_EQ(view.messages, row.messages);
        ASSERT_TRUE(dialog->imageIsOpen());
        const std::string dump = view.dump(Tree::Image);
        EXPECT_EQ(dump.substr(0, 12), "+KONTEJNER  ") << dump;
        EXPECT_NE(dump.find("\n    Zpráva 1998.doc ["), std::string::npos) << dump;
    }
}

TEST_F(ContainerImagesTest, NewImagesStayRawWhateverTheFilterOffers) {
    start();
    EXPECT_EQ(dialog->defaultExtension(), ".gvx");
}

TEST_F(ContainerImagesTest, ATeleDiskImageRefusesChanges) {
    makeContainers();
    const std::string image = (scratch / "disk.td0").string();
    const auto before = readFile(image);
    writeFile(scratch / "new.txt", std::string("n"));
    startWithText();
    dialog->openImageAtStart(image);
    EXPECT_EQ(view.messages, (std::vector<std::string>{messageText(116)}));
    view.selectItem(Tree::Host, hostFile("new.txt"));
    view.selectItem(Tree::Image, view.children(Tree::Image, kNoItem).at(0));
    dialog->onCopyToImage();
    EXPECT_EQ(view.messages.back(), messageText(136));
    EXPECT_EQ(readFile(image), before);
}

TEST_F(ContainerImagesTest, AnImdChangedByATransferStaysAValidImd) {
    makeContainers();
    const std::string image = (scratch / "disk.imd").string();
    writeFile(scratch / "Nový dopis.txt", testing_support::patternBytes(3000, 8));
    startWithText();
    dialog->openImageAtStart(image);
    view.selectItem(Tree::Host, hostFile("Nový dopis.txt"));
    view.selectItem(Tree::Image, view.find(Tree::Image, "Dokumenty"));
    dialog->onCopyToImage();
    EXPECT_TRUE(view.messages.empty() || view.messages.back() != messageText(136));
    dialog->onClose();

    const std::string raw = (scratch / "back.img").string();
    runOk("dsktrans -itype imd " + quote(image) + " -otype raw " + quote(raw));
    const auto fsck = run("fsck.fat -n " + quote(raw));
    EXPECT_EQ(fsck.exitCode, 0) << fsck.output;
    const std::string copied = (scratch / "copied.txt").string();
    runOk("mcopy -n -i " + quote(raw) + " " + quote("::/Dokumenty/Nový dopis.txt") + " " + quote(copied));
    EXPECT_EQ(readFile(copied), readFile(scratch / "Nový dopis.txt"));
}

}  // namespace
}  // namespace browser::testing
