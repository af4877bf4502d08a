// Files dropped onto the image from another program, image items dragged out to one, and the two trees
// read again on request.
#include <filesystem>

#include "browser/message_table.h"
#include "browser_fixture.h"

namespace browser::testing {
namespace {

namespace fs = std::filesystem;
using testing_support::quote;
using testing_support::readFile;
using testing_support::runOk;
using testing_support::writeFile;

const std::string kDone = "[result] Akce dokončena bez chyb.";

class DropAndDragTest : public BrowserTest {
  protected:
    // An image with a file and a folder, open, and a folder "drop" of host files beside it (not listed:
    // dropped files come from anywhere).
    std::string openSample() {
        const fs::path files = scratch / "source";
        fs::create_directories(files / "DOCS");
        writeFile(files / "README.TXT", std::string("readme"));
        writeFile(files / "DOCS" / "Dopis babičce.txt", std::string("Milá babičko"));
        const std::string image = makeImage("sample.img", "SAMPLE", files.string());
        fs::remove_all(files);

        const fs::path drop = scratch / "drop";
        fs::create_directories(drop / "Fotky" / "Léto");
        writeFile(drop / "a.txt", std::string("a"));
        writeFile(drop / "b.txt", std::string("bb"));
        writeFile(drop / "README.TXT", std::string("taken"));
        writeFile(drop / "Fotky" / "Léto" / "moře.txt", std::string("sea"));
        start();
        dialog->openImageAtStart(image);
        view.messages.clear();
        return image;
    }
    std::string dropped(const std::string& name) const { return (scratch / "drop" / name).string(); }
    ItemHandle imageItem(const std::string& text) const { return view.find(Tree::Image, text); }
    static std::string mdir(const std::string& image) {
        return runOk("mdir -/ -b -i " + quote(image) + " :: | sed 's|^::||' | sort");
    }
};

TEST_F(DropAndDragTest, DroppedFilesAndFoldersGoInAsTheArrowTakesThem) {
    struct Row {
        const char* name;
        const char* target;  // the image item dropped on; nullptr: the space below the items; "?" gone
        std::vector<std::string> paths;
        std::vector<bool> answers;
        std::vector<std::string> messages;
        std::vector<std::string> inImage;  // paths the image holds afterwards
        std::vector<std::string> notInImage;
    } rows[] = {
        {"one file onto the root", "SAMPLE", {"a.txt"}, {}, {kDone}, {"/a.txt"}, {}},
        {"two files into a folder, one result box",
         "DOCS",
         {"a.txt", "b.txt"},
         {},
         {kDone},
         {"/DOCS/a.txt", "/DOCS/b.txt"},
         {}},
        {"onto a file: into its folder", "Dopis babičce.txt", {"b.txt"}, {}, {kDone}, {"/DOCS/b.txt"}, {}},
        {"below the items: into the root", nullptr, {"b.txt"}, {}, {kDone}, {"/b.txt"}, {}},
        {"a folder after the question",
         "DOCS",
         {"Fotky"},
         {true},
         {"[yes/no] " + messageText(155), kDone},
         {"/DOCS/Fotky/Léto/moře.txt"},
         {}},
        {"a folder declined, the file beside it still goes",
         "SAMPLE",
         {"Fotky", "a.txt"},
         {false},
         {"[yes/no] " + messageText(155), kDone},
         {"/a.txt"},
         {"/Fotky"}},
        {"onto an item of a tree read since: nowhere", "?", {"a.txt"}, {}, {}, {}, {"/a.txt"}},
        {"a name taken stops the rest",
         "SAMPLE",
         {"README.TXT", "a.txt"},
         {},
         {messageText(105)},
         {},
         {"/a.txt"}},
        {"a file the host does not have",
         "SAMPLE",
         {"gone.txt"},
         {},
         {formatMessage(138, {(scratch / "drop" / "gone.txt").string()})},
         {},
         {"/gone.txt"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string image = openSample();
        std::vector<std::string> paths;
        for (const std::string& name : row.paths) paths.push_back(dropped(name));
        view.answers.assign(row.answers.begin(), row.answers.end());
        const ItemHandle target = row.target == nullptr            ? kNoItem
                                  : std::string(row.target) == "?" ? ItemHandle{987654}
                                                                   : imageItem(row.target);
        dialog->onDropToImage(target, paths);
        EXPECT_EQ(view.messages, row.messages);
        EXPECT_TRUE(view.answers.empty());
        const std::string listing = mdir(image);
        for (const std::string& path : row.inImage)
            EXPECT_NE(listing.find(path), std::string::npos) << listing;
        for (const std::string& path : row.notInImage)
            EXPECT_EQ(listing.find(path), std::string::npos) << listing;
        // The tree shows what the image holds now.
        if (!row.inImage.empty()) {
            const std::string& last = row.inImage.back();
            EXPECT_NE(imageItem(last.substr(last.rfind('/') + 1)), kNoItem) << view.dump(Tree::Image);
        }
        dialog->onClose();
        runOk("fsck.fat -n " + quote(image));
        fs::remove_all(scratch / "drop");
        fs::remove(image);
    }
}

TEST_F(DropAndDragTest, AReadOnlyImageTakesNoDropAndSaysSo) {
    const std::string image = openSample();
    fs::permissions(image, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    start();
    dialog->openImageAtStart(image);
    const auto before = readFile(image);
    const std::string readOnly = messageText(136);

    view.messages.clear();
    dialog->onDropToImage(kNoItem, {dropped("a.txt")});
    EXPECT_EQ(view.messages, (std::vector<std::string>{readOnly}));
    view.messages.clear();
    view.answers = {true};
    dialog->onDropToImage(imageItem("DOCS"), {dropped("Fotky")});
    EXPECT_EQ(view.messages, (std::vector<std::string>{"[yes/no] " + messageText(155), readOnly}));
    EXPECT_EQ(readFile(image), before);
}

TEST_F(DropAndDragTest, DraggedOutItemsAreCopiedWithoutAQuestion) {
    const std::string image = openSample();
    struct Row {
        const char* item;
        const char* made;  // relative to the drag's folder
        const char* file;  // a file that must be there, relative to it
        const char* content;
    } rows[] = {
        {"README.TXT", "README.TXT", "README.TXT", "readme"},
        {"DOCS", "DOCS", "DOCS/Dopis babičce.txt", "Milá babičko"},
        {"SAMPLE", "SAMPLE", "SAMPLE/DOCS/Dopis babičce.txt", "Milá babičko"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.item);
        const fs::path folder = scratch / ("drag-" + std::string(row.made));
        fs::create_directories(folder);
        ItemHandle item = imageItem(row.item);
        if (std::string(row.item) == "SAMPLE") item = view.children(Tree::Image, kNoItem).at(0);
        const auto made = dialog->copyOutForDrag(item, folder.string());
        ASSERT_TRUE(made.has_value());
        EXPECT_EQ(*made, (folder / row.made).string());
        const auto bytes = readFile(folder / row.file);
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), row.content);
    }
    EXPECT_TRUE(fs::exists(scratch / "drag-SAMPLE" / "SAMPLE" / "SAMPLE.BOT"));
    EXPECT_TRUE(view.messages.empty()) << view.messages.front();

    // Something in the way: said as "<---" says it, and nothing to hand over.
    const auto again = dialog->copyOutForDrag(imageItem("DOCS"), (scratch / "drag-DOCS").string());
    EXPECT_FALSE(again.has_value());
    EXPECT_EQ(view.messages, (std::vector<std::string>{messageText(158)}));
    // An item of a tree read since is no item.
    EXPECT_FALSE(dialog->copyOutForDrag(987654, (scratch / "drag-DOCS").string()).has_value());
}

TEST_F(DropAndDragTest, RereadingShowsWhatOthersChangedAndTheWindowNamesTheImage) {
    const std::string image = openSample();
    EXPECT_EQ(view.openImage, image);
    runOk("mcopy -i " + quote(image) + " " + quote(dropped("b.txt")) + " ::THEIRS.TXT");
    writeFile(scratch / "later.img", std::string("x"));
    dialog->onReread();
    EXPECT_TRUE(view.messages.empty()) << view.messages.front();
    EXPECT_NE(imageItem("THEIRS.TXT"), kNoItem) << view.dump(Tree::Image);
    EXPECT_NE(hostItem("later.img (0K)"), kNoItem) << view.dump(Tree::Host);
    EXPECT_EQ(view.openImage, image);

    // Not an image: nothing open, nothing named.
    dialog->onHostItemDoubleClicked(hostItem("later.img (0K)"));
    EXPECT_EQ(view.openImage, "");
    dialog->onHostItemDoubleClicked(view.find(Tree::Host, "sample.img (1440K)"));
    EXPECT_EQ(view.openImage, image);
    // Deleting the root closes the image when asked to.
    view.answers = {true};
    view.selectItem(Tree::Image, view.children(Tree::Image, kNoItem).at(0));
    dialog->onDelete();
    EXPECT_EQ(view.openImage, "");
    dialog->onReread();
    EXPECT_TRUE(view.children(Tree::Image, kNoItem).empty());
}

}  // namespace
}  // namespace browser::testing
