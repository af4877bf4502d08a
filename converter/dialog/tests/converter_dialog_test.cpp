// Mirask's window logic: start-up options, names and paths, the floppy side, the file side, the buttons.
#include <filesystem>

#include "converter/dialog/file_names.h"
#include "converter/dialog/texts.h"
#include "converter_fixture.h"

namespace converter::dialog::testing {
namespace {

namespace fs = std::filesystem;

TEST(ConverterNames, ClassesAndResolvedPaths) {
    const std::vector<std::string> gvx{".gvx"};
    struct Row {
        const char* name;
        NameClass classOf;
        const char* resolved;  // with the folder /d/IMG/ picked on the drive /d
    } rows[] = {
        {"", NameClass::Empty, ""},
        {"NAME", NameClass::NameOnly, "/d/IMG/NAME.gvx"},
        {"NAME.IMG", NameClass::NameOnly, "/d/IMG/NAME.IMG"},
        {"\\X\\NAME", NameClass::FromDriveRoot, "/d/X/NAME.gvx"},
        {"A:NAME", NameClass::OnDrive, "A:NAME.gvx"},
        {"C:\\DIR\\N", NameClass::FullPath, "C:/DIR/N.gvx"},
        {"/tmp/disk", NameClass::FullPath, "/tmp/disk.gvx"},
        {"SUB\\NAME", NameClass::Relative, "/d/IMG/SUB/NAME.gvx"},
        {"dir.v2/name", NameClass::Relative, "/d/IMG/dir.v2/name.gvx"},
        // A folder is no file name: nothing, rather than a hidden ".gvx" inside it.
        {"SUB/", NameClass::Relative, ""},
        {"SUB\\", NameClass::Relative, ""},
        {"/tmp/", NameClass::FullPath, ""},
        {"\\", NameClass::FromDriveRoot, ""},
        {"C:\\DIR\\", NameClass::FullPath, ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ClassifyName(row.name), row.classOf) << row.name;
        EXPECT_EQ(resolveName(row.name, "/d", "/d/IMG/", gvx), row.resolved) << row.name;
    }
    // A file picked in the tree is the path already.
    EXPECT_EQ(resolveName("DISK1.GVX", "/d", "/d/IMG/DISK1.GVX", gvx), "/d/IMG/DISK1.GVX");
}

TEST(ConverterNames, ExtensionLists) {
    struct Row {
        const char* text;
        const char* filtered;
    } rows[] = {
        {".gvx ", ".gvx "},     {".img .ima ", ".img .ima "}, {".* ", ".* .gvx "},
        {"/D1 .img ", ".img "}, {"img .ima ", ".ima "},
    };
    for (const Row& row : rows) EXPECT_EQ(FilterExtensionList(row.text), row.filtered) << row.text;
    EXPECT_EQ(splitExtensions(".img .ima "), (std::vector<std::string>{".img", ".ima"}));
}

TEST(ConverterNames, CommandLineText) {
    struct Row {
        const char* text;
        const char* extensions;
        int diag;
    } rows[] = {
        {"", ".gvx .imd .td0 .cqm .imz ", 0},
        {".img .ima", ".img .ima ", 0},
        {"/D1", ".gvx .imd .td0 .cqm .imz ", 2},
        {"/D", ".gvx .imd .td0 .cqm .imz ", 1},
        {"/D0", ".gvx .imd .td0 .cqm .imz ", 1},
        {".", ".gvx .imd .td0 .cqm .imz ", 0},
        {".img /D1", ".img /D1 ", 2},
    };
    for (const Row& row : rows) {
        const ConverterOptions o = parseConverterText(row.text, OsKind::Nt);
        EXPECT_EQ(o.extensionText, row.extensions) << row.text;
        EXPECT_EQ(o.diagSwitch, row.diag) << row.text;
    }
}

class ConverterDialogTest : public ConverterTest {};

TEST_F(ConverterDialogTest, TheInformationListShowsTheMediumAndTheDrivesTypes) {
    start({"a=1.44M:blank", "b=1.2M:none"});
    EXPECT_EQ(view.floppyDrives, (std::vector<std::string>{"a:", "b:"}));
    ASSERT_GE(view.info.size(), 5u);
    EXPECT_EQ(view.info[0], "Floppy:");
    EXPECT_EQ(view.info[1], "3.5  1.44MB 512 BpS CTS=80/2/18");
    EXPECT_EQ(view.info[2], "Drive:");
    EXPECT_EQ(view.info.back(), " ");
    EXPECT_EQ(dialog->floppyDrive(), 1);
    EXPECT_TRUE(view.formatEnabled);
    EXPECT_FALSE(view.arrows) << "no file name yet";
    typeName("disk");
    EXPECT_TRUE(view.arrows);
    typeName("");
    EXPECT_FALSE(view.arrows);

    // An empty drive still lists its types and can be chosen.
    dialog->onFloppyDriveSelected(1);
    EXPECT_EQ(view.info.front(), "Drive:");
    EXPECT_EQ(dialog->floppyDrive(), 2);
}

TEST_F(ConverterDialogTest, ADriveLockedElsewhereIsNotChosen) {
    start({"a=1.44M:blank:locked"});
    EXPECT_NE(view.messages.back().find("Jednotka A: blokována jiným programem - chyba "), std::string::npos);
    EXPECT_EQ(dialog->floppyDrive(), 0);
    EXPECT_EQ(view.floppySelection, -1);
    EXPECT_FALSE(view.formatEnabled);
    EXPECT_EQ(view.info, (std::vector<std::string>{" "}));
}

TEST_F(ConverterDialogTest, WithoutFloppyDrivesNothingCanStart) {
    start({});
    typeName("disk");
    EXPECT_TRUE(view.floppyDrives.empty());
    EXPECT_FALSE(view.arrows);
    EXPECT_FALSE(view.formatEnabled);
    EXPECT_EQ(view.floppyNote, text::kNoFloppyDrive);
    EXPECT_NE(view.floppyNote.find("--emulate a="), std::string::npos) << "with an example to try";

    start({"a=1.44M:blank"});
    EXPECT_EQ(view.floppyNote, "") << "a window with a drive has nothing to explain";
}

TEST_F(ConverterDialogTest, ANameEndingInASeparatorIsNoFileName) {
    fs::create_directories(scratch / "IMG");
    start({"a=1.44M:blank"});
    for (const char* typed : {"IMG/", "IMG\\", "/"}) {
        view.messages.clear();
        typeName(typed);
        dialog->onReadFloppy();
        EXPECT_EQ(view.messages, (std::vector<std::string>{text::kFillName})) << typed;
        EXPECT_FALSE(dialog->pathResolved()) << typed;
    }
    EXPECT_FALSE(fs::exists(scratch / "IMG" / ".gvx"));
    EXPECT_FALSE(fs::exists(scratch / ".gvx"));
    EXPECT_TRUE(drive().reads.empty()) << "the floppy was never touched";
}

TEST_F(ConverterDialogTest, TheFileTreeListsImagesOneLevelAhead) {
    fs::create_directories(scratch / "IMG" / "OLD" / "DEEPER");
    fs::create_directories(scratch / "skip.");
    fs::create_directories(scratch / ".hidden");
    testing_support::writeFile(scratch / "IMG" / "DISK1.GVX", std::string(1474560 / 2, 'x'));
    testing_support::writeFile(scratch / "IMG" / "notes.txt", std::string("n"));
    testing_support::writeFile(scratch / "IMG" / "OLD" / "DEEPER" / "deep.gvx", std::string("d"));
    fs::create_directory_symlink(scratch / "IMG", scratch / "IMG" / "OLD" / "loop");
    start({"a=1.44M:blank"}, "", ".gvx .img");
    EXPECT_EQ(view.dump(), scratch.path().string() + "\n  IMG\n    DISK1.GVX (720K)\n    OLD\n")
        << "one level ahead of the root; links, hidden folders and folders ending in a dot left out";
    dialog->onFileItemExpanding(view.find("IMG"));
    EXPECT_NE(view.dump().find("    OLD\n      DEEPER\n"), std::string::npos) << view.dump();

    dialog->onFileItemSelected(view.find("DISK1.GVX (720K)"));
    EXPECT_EQ(view.name, "DISK1.GVX");
    EXPECT_EQ(dialog->currentPath(), path("IMG/DISK1.GVX"));
    EXPECT_TRUE(view.arrows);

    dialog->onFileItemSelected(view.find("IMG"));
    typeName("NAME");
    EXPECT_EQ(dialog->currentPath(), path("IMG") + "/");

    // ".ext" typed into the name box and the drive chosen again: a new extension list.
    typeName(".* ");
    dialog->onFileDriveSelected(0);
    EXPECT_EQ(dialog->extensions(), (std::vector<std::string>{".*", ".gvx"}));
    EXPECT_EQ(view.name, "");
}

}  // namespace
}  // namespace converter::dialog::testing
