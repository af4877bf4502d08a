// The host tree: what the filter lets through, size suffixes, lazy listing, kinds from item data.
#include <filesystem>

#include "browser_fixture.h"

namespace browser::testing {
namespace {

namespace fs = std::filesystem;

class HostTreeTest : public BrowserTest {
  protected:
    void SetUp() override {
        fs::create_directories(scratch / "DATA" / "OLD");
        fs::create_directories(scratch / ".config");
        fs::create_directories(scratch / "ARCHIV (5K)" / "INNER");
        testing_support::writeFile(scratch / "DATA" / "OLD" / "deep.img", std::string("x"));
        testing_support::writeFile(scratch / "disk.IMG", std::string());
        fs::resize_file(scratch / "disk.IMG", 1474560);
        testing_support::writeFile(scratch / "small.gvx", std::string(1023, 'x'));
        testing_support::writeFile(scratch / "disk.txt", std::string("text"));
        testing_support::writeFile(scratch / ".profile", std::string("p"));
        testing_support::writeFile(scratch / "noext", std::string("n"));
    }

    std::string rootLevel() {
        std::string out;
        const ItemHandle root = view.children(Tree::Host, kNoItem).at(0);
        for (ItemHandle h : view.children(Tree::Host, root)) out += view.text(Tree::Host, h) + "|";
        return out;
    }

    void chooseFilter(const std::string& entry) {
        const auto& entries = dialog->filterEntries();
        const int index =
            static_cast<int>(std::find(entries.begin(), entries.end(), entry) - entries.begin());
        view.selectFilterEntry(index);
        dialog->onFilterSelected(index);
    }

    void type(const std::string& text) {
        view.filterEdit = text;
        dialog->onFilterEdited();
    }
};

TEST_F(HostTreeTest, TheFilterDecidesWhichFilesAreListed) {
    start();
    EXPECT_EQ(view.filterEntries, (std::vector<std::string>{" {...}", ".cqm", ".gvx", ".imd", ".img", ".imz", ".td0"}));
    EXPECT_EQ(dialog->defaultExtension(), ".gvx");
    struct Row {
        const char* typedOrChosen;
        const char* level;
    } rows[] = {
        {" {...}", "ARCHIV (5K)|DATA|disk.IMG (1440K)|small.gvx (0K)|"},
        {".img", "ARCHIV (5K)|DATA|disk.IMG (1440K)|"},
        {"*+", ".profile (0K)|ARCHIV (5K)|DATA|disk.IMG (1440K)|disk.txt (0K)|noext (0K)|small.gvx (0K)|"},
        {"txt+", "ARCHIV (5K)|DATA|disk.txt (0K)|"},
        {"profile+", ".profile (0K)|ARCHIV (5K)|DATA|"},
    };
    for (const Row& row : rows) {
        const std::string what = row.typedOrChosen;
        if (what.back() == '+')
            type(what);
        else
            chooseFilter(what);
        EXPECT_EQ(rootLevel(), row.level) << what;
    }
    EXPECT_EQ(view.filterEntries,
              (std::vector<std::string>{" {...}", ".*", ".cqm", ".gvx", ".imd", ".img", ".imz", ".profile", ".td0",
                                        ".txt"}));
    // The all-entry with ".*" in the list still lists only the named extensions.
    chooseFilter(" {...}");
    EXPECT_EQ(rootLevel(), ".profile (0K)|ARCHIV (5K)|DATA|disk.IMG (1440K)|disk.txt (0K)|small.gvx (0K)|");
}

TEST_F(HostTreeTest, AddingAndRemovingFilterEntries) {
    start();
    type("+");  // nothing chosen yet: the field is emptied, nothing else
    EXPECT_EQ(view.filterEdit, "");
    EXPECT_EQ(view.filterEntries.size(), 7u);

    type("bin+");
    EXPECT_EQ(view.filterEntries,
              (std::vector<std::string>{" {...}", ".bin", ".cqm", ".gvx", ".imd", ".img", ".imz", ".td0"}));
    EXPECT_EQ(view.filterSelection, 1);
    EXPECT_EQ(dialog->defaultExtension(), ".bin");
    type("");  // clearing the field removes the entry just added
    EXPECT_EQ(view.filterEntries, (std::vector<std::string>{" {...}", ".cqm", ".gvx", ".imd", ".img", ".imz", ".td0"}));
    EXPECT_EQ(view.filterSelection, 0);
    type("");  // the all-entry cannot be removed
    EXPECT_EQ(view.filterEntries.size(), 7u);
    EXPECT_EQ(dialog->defaultExtension(), ".gvx");

    type("abcdef");  // a long first entry is kept whole as the default extension
    type(".abcde+");
    EXPECT_EQ(dialog->defaultExtension(), ".abcde");
}

TEST_F(HostTreeTest, DefaultExtensionFromTheList) {
    struct Row {
        const char* list;
        const char* defaultExtension;
    } rows[] = {{"binimg", ".bin"}, {"", ".gvx"}, {"ab ", ".ab"}};
    for (const Row& row : rows) {
        StartOptions options;
        options.extensionList = row.list;
        start({{scratch.path().string(), platform::DriveType::Fixed}}, options);
        EXPECT_EQ(dialog->defaultExtension(), row.defaultExtension) << row.list;
    }
}

TEST_F(HostTreeTest, FoldersAreListedOneLevelAheadAndKindsComeFromItemData) {
    start();
    const ItemHandle data = hostItem("DATA");
    const ItemHandle archive = hostItem("ARCHIV (5K)");
    // The root's folders have their children listed before they are opened; the grandchildren not yet.
    ASSERT_EQ(view.children(Tree::Host, data).size(), 1u);
    const ItemHandle old = view.children(Tree::Host, data)[0];
    EXPECT_TRUE(view.children(Tree::Host, old).empty());
    EXPECT_EQ(view.children(Tree::Host, archive).size(), 1u)
        << "a folder whose name ends with K) is a folder";
    EXPECT_FALSE(dialog->isHostFileItem(archive));

    dialog->onHostItemExpanding(data);
    ASSERT_EQ(view.children(Tree::Host, old).size(), 1u);
    dialog->onHostItemExpanding(data);  // a second expansion lists nothing twice
    EXPECT_EQ(view.children(Tree::Host, old).size(), 1u);

    const ItemHandle deep = view.children(Tree::Host, old)[0];
    EXPECT_EQ(view.text(Tree::Host, deep), "deep.img (0K)");
    EXPECT_EQ(dialog->hostPathOfItem(deep), (scratch / "DATA" / "OLD" / "deep.img").string());
    EXPECT_TRUE(dialog->isHostFileItem(deep));
    dialog->onHostItemDoubleClicked(archive);  // a folder is never opened as an image
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(HostTreeTest, IconsByExtensionAndDriveType) {
    start({{scratch.path().string(), platform::DriveType::Optical}});
    EXPECT_EQ(view.face(Tree::Host, view.children(Tree::Host, kNoItem)[0]).icon, icon::kOpticalDrive);
    // Files show the system's picture of their extension (lower case) where it has one, else the generic one.
    const ItemFace& small = view.face(Tree::Host, hostItem("small.gvx (0K)"));
    EXPECT_EQ(small.icon, icon::kGenericFile);
    EXPECT_EQ(small.extension, ".gvx");
    EXPECT_EQ(view.face(Tree::Host, hostItem("disk.IMG (1440K)")).extension, ".img");
}

TEST_F(HostTreeTest, RemovableDrivesAreNotOfferedAndAnInaccessibleDriveKeepsTheTree) {
    const std::string other = (scratch / "DATA").string();
    inaccessible = {other};
    start({{scratch.path().string(), platform::DriveType::Fixed},
           {"/media/stick", platform::DriveType::Removable},
           {other, platform::DriveType::Fixed}});
    EXPECT_EQ(view.driveEntries, (std::vector<std::string>{scratch.path().string(), other}));
    const std::string before = view.dump(Tree::Host);
    dialog->onDriveSelected(1);
    EXPECT_EQ(view.messages, (std::vector<std::string>{"Jednotku " + other + " nešlo nastavit, zůstává " +
                                                       scratch.path().string() + "."}));
    EXPECT_EQ(view.driveSelection, -1);
    EXPECT_EQ(view.dump(Tree::Host), before);
}

TEST_F(HostTreeTest, NoDrivesLeavesEverythingEmpty) {
    start({});
    EXPECT_TRUE(view.driveEntries.empty());
    EXPECT_TRUE(view.children(Tree::Host, kNoItem).empty());
    EXPECT_TRUE(view.messages.empty());
}

}  // namespace
}  // namespace browser::testing
